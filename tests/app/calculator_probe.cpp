// The whole program as main() runs it, with a look at how it started: once the main window is
// shown, it prints the window's title, the style's name, the layout direction and the window's
// position on one line of standard output, and ends.

#include <QApplication>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/run_calculator.h"

int main(int argc, char* argv[]) {
  return duct::RunCalculator(argc, argv, [] {
    QTimer::singleShot(0, [] {
      for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
          std::printf("%s|%s|%s|%d,%d\n", window->windowTitle().toStdString().c_str(),
                      QApplication::style()->name().toLower().toStdString().c_str(),
                      window->isRightToLeft() ? "rtl" : "ltr", window->x(), window->y());
        }
      }
      std::fflush(stdout);
      QCoreApplication::quit();
    });
  });
}
