#include "app/run_calculator.h"

#include <QApplication>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "about/qt_program_launcher.h"
#include "app/command_line.h"
#include "app/command_line_output.h"
#include "app/display_guard.h"
#include "app/program_arguments.h"
#include "app/qt_message_boxes.h"
#include "app/system_alert_sound.h"
#include "app/toolkit_texts.h"
#include "app/window_lifecycle.h"
#include "base/application_info.h"
#include "registry/system_registry.h"

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
  // Answered, or refused, before the display is needed.
  const auto ownOptions = ReadOwnOptions(ProgramArguments(argc, argv));
  if (!ownOptions.openWindow) {
    return Answer(ownOptions);
  }
  // Qt takes its own options out of the count and argv, but none after "--". The count lives as
  // long as the application, which keeps a reference to it.
  const std::vector<std::string> passed(argv + std::min(argc, 1), argv + argc);
  const int options = static_cast<int>(OptionCount(passed));
  int qtArgc = std::min(argc, 1) + options;  // cppcheck-suppress variableScope
  std::unique_ptr<QApplication> application;
  {
    const DisplayGuard guard;
    application = std::make_unique<QApplication>(qtArgc, argv);
  }
  // The windows are laid out as designed, for a language written from left to right: -reverse
  // would only move the option buttons' circles over to their fields.
  QGuiApplication::setLayoutDirection(Qt::LeftToRight);
  // What Qt left of the options before "--". On Linux it comes from argv; on Windows Qt reads its
  // command line again in UTF-16 and takes out what it took, but with "--" on the line it
  // rebuilds them from argv, in the code page. Any option here is one that looked like Qt's
  // before the start and that Qt did not take after all (-geometry where the platform is not
  // X11's), so it is ASCII.
  const QStringList qtLeft = QCoreApplication::arguments().mid(1);
  std::vector<std::string> left(static_cast<std::size_t>(qtLeft.size()));
  std::transform(qtLeft.begin(), qtLeft.end(), left.begin(),
                 [](const QString& argument) { return argument.toStdString(); });
  const auto leftOver = ReadArgumentsLeft(left);
  if (!leftOver.openWindow) {
    return Answer(leftOver);
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
  WindowLifecycle windows({messages, alert, *registry, launcher, [] { QCoreApplication::quit(); }});
  windows.ShowMainWindow();
  if (started) {
    started();
  }
  return QApplication::exec();
}

}  // namespace duct
