#include "app/run_calculator.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
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
#include "windowlook/window_look.h"

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

// GTK, which the gtk3 platform theme loads, would register the program on the accessibility bus a
// second time, as an application without windows beside Qt's own, and a screen reader would meet
// both. Only while the application starts, so that programs it starts keep their bridge.
class OneAccessibilityBridge {
 public:
  OneAccessibilityBridge() {
    if (set_) {
      qputenv("NO_AT_BRIDGE", "1");
    }
  }
  ~OneAccessibilityBridge() {
    if (set_) {
      qunsetenv("NO_AT_BRIDGE");
    }
  }
  OneAccessibilityBridge(const OneAccessibilityBridge&) = delete;
  OneAccessibilityBridge& operator=(const OneAccessibilityBridge&) = delete;

 private:
  const bool set_ = !qEnvironmentVariableIsSet("NO_AT_BRIDGE");
};

}  // namespace

int RunCalculator(int argc, char** argv, const std::function<void()>& started) {
  // Answered before the display is needed.
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
    const OneAccessibilityBridge bridge;
    application = std::make_unique<QApplication>(qtArgc, argv);
  }
  // The windows are laid out as designed, for a language written from left to right: -reverse
  // would only move the option buttons' circles over to their fields.
  QGuiApplication::setLayoutDirection(Qt::LeftToRight);
  // What Qt left of the options before "--": any option here is one that Qt does not take. Qt's
  // examples read their options the same way, after Qt has taken its own, so that a Qt with
  // more options needs nothing here. On Linux it comes from argv; on Windows Qt reads its
  // command line again in UTF-16 and takes out what it took, but with "--" on the line it
  // rebuilds it from argv, in the code page, where a character outside it turns into "?".
  const QStringList qtLeft = QCoreApplication::arguments().mid(1);
  std::vector<std::string> left(static_cast<std::size_t>(qtLeft.size()));
  std::transform(qtLeft.begin(), qtLeft.end(), left.begin(),
                 [](const QString& argument) { return argument.toStdString(); });
  const auto leftOver = ReadArgumentsLeft(left);
  if (!leftOver.openWindow) {
    return Answer(leftOver);
  }
  InstallChineseToolkitTexts(*application);
  if (!ChineseFontInstalled()) {
    // The window still opens: the user sees that it did, and learns here what it lacks.
    std::fprintf(stderr,
                 "%s: 系统中没有显示简体中文的字体，窗口里的文字会显示成方框（no font for "
                 "Simplified Chinese is installed）。请安装 fonts-arphic-uming 或 fonts-noto-cjk，"
                 "例如 sudo apt-get install fonts-arphic-uming\n",
                 kProgramName);
  }
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
