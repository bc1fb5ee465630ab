// The yardstick for the calculator's start: a bare Qt window with one label, built with the same
// compiler and flags. scripts/bench-startup measures both in one run.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QLabel label("bare window");
  label.show();
  return QApplication::exec();
}
