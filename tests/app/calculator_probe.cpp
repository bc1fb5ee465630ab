// The whole program as main() runs it, with a look at how it started: once the main window is
// shown, it prints the window's title, the style's name, the layout direction ("rtl" when the
// window or any of its controls is laid out from right to left) and the window's position on one
// line of standard output, and ends.

#include <QApplication>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "app/run_calculator.h"

int main(int argc, char* argv[]) {
  return duct::RunCalculator(argc, argv, [] {
    QTimer::singleShot(0, [] {
      for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
          const auto controls = window->findChildren<QWidget*>();
          const bool rightToLeft = window->isRightToLeft() ||
                                   std::any_of(controls.begin(), controls.end(),
                                               [](const QWidget* c) { return c->isRightToLeft(); });
          std::printf("%s|%s|%s|%d,%d\n", window->windowTitle().toStdString().c_str(),
                      QApplication::style()->name().toLower().toStdString().c_str(),
                      rightToLeft ? "rtl" : "ltr", window->x(), window->y());
        }
      }
      std::fflush(stdout);
      QCoreApplication::quit();
    });
  });
}
