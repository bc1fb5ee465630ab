#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "about/qt_program_launcher.h"
#include "about/system_registry.h"
#include "app/program_windows.h"
#include "app/qt_message_boxes.h"
#include "app/system_alert_sound.h"
#include "base/application_info.h"

namespace {

// Without any display Qt would abort while connecting; say why instead.
bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs("ductcalc: no display to show the window on (DISPLAY is not set).\n", stderr);
    return EXIT_FAILURE;
  }
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(duct::kApplicationId);  // ties the windows to the menu entry
  // The windows decide when the program ends: closing the main window while the About dialog
  // is open leaves the program running.
  QApplication::setQuitOnLastWindowClosed(false);

  duct::QtMessageBoxes messages;
  duct::SystemAlertSound alert;
  const auto registry = duct::MakeSystemRegistry();
  duct::QtProgramLauncher launcher;
  duct::ProgramWindows windows(
      {messages, alert, *registry, launcher, [] { QCoreApplication::quit(); }});
  windows.ShowMainWindow();
  return QApplication::exec();
}
