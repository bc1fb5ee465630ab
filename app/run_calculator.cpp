#include "app/run_calculator.h"

#include <QApplication>
#include <memory>

#include "about/qt_program_launcher.h"
#include "about/system_registry.h"
#include "app/command_line.h"
#include "app/command_line_output.h"
#include "app/display_guard.h"
#include "app/program_windows.h"
#include "app/qt_message_boxes.h"
#include "app/system_alert_sound.h"
#include "app/toolkit_texts.h"
#include "base/application_info.h"

namespace duct {

namespace {

// An answer that did not arrive is reported on standard error, and the program fails.
int Answer(const CommandLine& answer) {
  if (ShowCommandLineAnswer(answer)) {
    return answer.exitStatus;
  }
  const CommandLine unwritten = UnwrittenAnswer();
  ShowCommandLineAnswer(unwritten);
  return answer.exitStatus != 0 ? answer.exitStatus : unwritten.exitStatus;
}

}  // namespace

int RunCalculator(int argc, char** argv, const std::function<void()>& started) {
  const auto commandLine = ReadCommandLine({argv, static_cast<std::size_t>(argc)});
  if (!commandLine.openWindow) {
    return Answer(commandLine);
  }
  // Qt sees only the program's name: its own options must not change the window. The count
  // lives as long as the application, which keeps a reference to it.
  int qtArgc = 1;  // cppcheck-suppress variableScope
  std::unique_ptr<QApplication> application;
  {
    const DisplayGuard guard;
    application = std::make_unique<QApplication>(qtArgc, argv);
  }
  InstallChineseToolkitTexts(*application);
  // Ties the windows to the menu entry: by the entry's name on Wayland, and on X11 by the window
  // class, which is the application's name and the entry's StartupWMClass whatever name the
  // program was started by.
  QGuiApplication::setDesktopFileName(kApplicationId);
  QCoreApplication::setApplicationName(kProgramName);
  // The windows decide when the program ends: closing the main window while the About dialog
  // is open leaves the program running.
  QApplication::setQuitOnLastWindowClosed(false);

  QtMessageBoxes messages;
  SystemAlertSound alert;
  const auto registry = MakeSystemRegistry();
  QtProgramLauncher launcher;
  ProgramWindows windows({messages, alert, *registry, launcher, [] { QCoreApplication::quit(); }});
  windows.ShowMainWindow();
  if (started) {
    started();
  }
  return QApplication::exec();
}

}  // namespace duct
