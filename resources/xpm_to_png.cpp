// Build tool: writes an XPM image as PNG, so that the icons installed for the desktop are the
// very images the windows show.

#include <QImage>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fputs("usage: xpm_to_png INPUT.xpm OUTPUT.png\n", stderr);
    return 2;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "xpm_to_png: cannot convert %s\n", argv[1]);
    return 1;
  }
  return 0;
}
