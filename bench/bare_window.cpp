// The yardstick for the calculator's start: a bare Qt window with one label of Chinese text, so
// that it opens a Chinese font as the desktop's fallback finds it, built with the same compiler
// and flags. scripts/bench-startup measures both in one run.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QLabel label("当量直径 500");
  label.show();
  return QApplication::exec();
}
