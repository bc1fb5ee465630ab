// Build tool: writes the XPM images of the window icon as the desktop's PNG files or as the
// Windows executable's .ico, so that every icon the user sees is the very image the windows
// show.
//
//   convert_icon OUTPUT.png INPUT.xpm
//   convert_icon OUTPUT.ico INPUT.xpm...   one image of each size, each stored as PNG

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

template <typename Number>
void Append(QByteArray& out, Number value) {
  const Number little = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// The icon file format: a header, one directory entry per image, then the images. Windows
// reads PNG-compressed images in it from Vista on.
QByteArray Ico(const std::vector<QImage>& images) {
  constexpr quint32 kHeaderSize = 6;
  constexpr quint32 kEntrySize = 16;
  QByteArray out;
  Append<quint16>(out, 0);  // reserved
  Append<quint16>(out, 1);  // an icon, not a cursor
  Append<quint16>(out, static_cast<quint16>(images.size()));
  std::vector<QByteArray> pngs;
  quint32 offset = kHeaderSize + kEntrySize * static_cast<quint32>(images.size());
  for (const QImage& image : images) {
    pngs.push_back(Png(image.convertToFormat(QImage::Format_ARGB32)));  // true colour and alpha
    Append<quint8>(out, static_cast<quint8>(image.width()));
    Append<quint8>(out, static_cast<quint8>(image.height()));
    Append<quint8>(out, 0);   // not a palette image
    Append<quint8>(out, 0);   // reserved
    Append<quint16>(out, 1);  // colour planes
    Append<quint16>(out, 32);
    Append<quint32>(out, static_cast<quint32>(pngs.back().size()));
    Append<quint32>(out, offset);
    offset += static_cast<quint32>(pngs.back().size());
  }
  for (const QByteArray& png : pngs) {
    out.append(png);
  }
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs("usage: convert_icon OUTPUT.png|OUTPUT.ico INPUT.xpm...\n", stderr);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const bool ico = output.endsWith(".ico");
  if (!ico && argc != 3) {
    std::fputs("convert_icon: a PNG file holds one image\n", stderr);
    return 2;
  }
  std::vector<QImage> images;
  for (int i = 2; i < argc; ++i) {
    images.emplace_back(QString::fromLocal8Bit(argv[i]));
    if (images.back().isNull() || images.back().width() > 256 || images.back().height() > 256) {
      std::fprintf(stderr, "convert_icon: cannot read %s as an icon image\n", argv[i]);
      return 1;
    }
  }
  QFile file(output);
  const QByteArray bytes = ico ? Ico(images) : Png(images.front());
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "convert_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
