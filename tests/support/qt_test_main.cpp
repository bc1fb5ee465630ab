// Entry point of the widget tests: one QApplication, on Qt's offscreen platform so that the
// tests run without a display, or with --on-display on the system's own (X11, Windows), where
// native windows and the window manager's hints are real.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

int main(int argc, char* argv[]) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2 || std::strcmp(argv[1], "--on-display") != 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  return RUN_ALL_TESTS();
}
