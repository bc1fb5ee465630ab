// The program: its two windows together, its command line, its start without a display.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/program_windows.h"
#include "app/toolkit_texts.h"
#include "tests/support/answered_message_boxes.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

class ProgramWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    windows_.ShowMainWindow();
    windows_.MainWindow()->activateWindow();  // as a window manager does with a new window
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows_.MainWindow()));
  }

  // Windows closed with delete-on-close go at the next turn of the event loop.
  static void FinishClosing() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  template <typename Control = QPushButton>
  Control* InMain(const char* name) const {
    return windows_.MainWindow()->findChild<Control*>(name);
  }
  void PressAbout() const { QTest::mouseClick(InMain("CmdAbout"), Qt::LeftButton); }

  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
  CountingRegistry<> registry_;
  FakeProgramLauncher launcher_;
  int ended_ = 0;
  ProgramWindows windows_{{messages_, alert_, registry_, launcher_, [this] { ++ended_; }}};
};

// One modeless, ownerless dialog, made afresh after it closed.
TEST_F(ProgramWindowsTest, AboutShowsOneDialogAndMakesItAfreshOnceClosed) {
  PressAbout();
  const QPointer<frmAbout> first = windows_.AboutDialog();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->parentWidget(), nullptr);
  PressAbout();
  EXPECT_EQ(windows_.AboutDialog(), first);
  EXPECT_TRUE(windows_.MainWindow()->isVisible() && windows_.MainWindow()->isEnabled());
  first->close();
  FinishClosing();
  EXPECT_EQ(first, nullptr);
  PressAbout();
  EXPECT_TRUE(windows_.AboutDialog() != nullptr && windows_.AboutDialog()->isVisible());
  EXPECT_EQ(ended_, 0);
}

TEST_F(ProgramWindowsTest, QuitClosesBothWindowsAndEndsWithoutReopening) {
  PressAbout();
  QTest::keyClick(InMain<QLineEdit>("TxtA(0)"), Qt::Key_Escape);
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), nullptr);
  EXPECT_EQ(windows_.AboutDialog(), nullptr);
  EXPECT_EQ(ended_, 1);
}

// Closed through its frame while the dialog is open, the main window comes back in its start
// state when the dialog closes; the numbers stay, and an open main window stays as it is. Closed
// alone, it ends the program.
TEST_F(ProgramWindowsTest, DialogBringsBackAClosedMainWindowInItsStartState) {
  QTest::keyClicks(InMain<QLineEdit>("TxtA(0)"), "500");
  QTest::mouseClick(InMain<QLineEdit>("TxtA(1)"), Qt::LeftButton);  // selects its text
  QTest::keyClicks(InMain<QLineEdit>("TxtA(1)"), "320");
  QTest::mouseClick(InMain("CmdStart"), Qt::LeftButton);
  ASSERT_EQ(windows_.State().SideB, 320.0F);
  PressAbout();
  windows_.AboutDialog()->close();
  FinishClosing();
  EXPECT_EQ(InMain<QLineEdit>("TxtA(0)")->text(), "500");

  const CalculationState numbers = windows_.State();
  PressAbout();
  windows_.MainWindow()->close();
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), nullptr);
  EXPECT_EQ(ended_, 0);
  QTest::keyClick(windows_.AboutDialog(), Qt::Key_Escape);
  FinishClosing();
  ASSERT_NE(windows_.MainWindow(), nullptr);
  EXPECT_TRUE(windows_.MainWindow()->isVisible());
  EXPECT_EQ(InMain<QLineEdit>("TxtA(0)")->text(), "(空白)");
  EXPECT_TRUE(InMain<QRadioButton>("Option1(0)")->isChecked());
  EXPECT_EQ(windows_.State(), numbers);
  EXPECT_EQ(ended_, 0);
  windows_.MainWindow()->close();
  FinishClosing();
  EXPECT_EQ(ended_, 1);
}

// Message boxes shown for real, over either window. While one is up, its window may go: a
// screen reader's press (which the box does not block) or the window's frame closes it, and the
// box goes with it, while the program goes on as it should. A box answered leaves every control
// of its window drawn within it, without a native window of its own.
TEST(ProgramWindows, MessageBoxesStayWithTheirWindows) {
  const struct {
    const char* window;   // whose message is up
    const char* closing;  // what closes it meanwhile: a control a screen reader presses, or "×"
    QString left;         // the windows open afterwards
    int ended;
  } cases[] = {
      {"FrmMain", "×", "frmAbout", 0},
      {"FrmMain", "CmdQuit", "", 1},
      {"frmAbout", "×", "FrmMain", 0},
      {"frmAbout", "cmdOK", "FrmMain", 0},
      {"FrmMain", "", "FrmMain frmAbout", 0},             // nothing: the message is answered
      {"frmAbout", "cmdSysInfo", "FrmMain frmAbout", 0},  // a second message over the first
  };
  for (const auto& [window, closing, left, ended] : cases) {
    SCOPED_TRACE(std::string(window) + " " + closing);
    AnsweredMessageBoxes messages;
    CountingAlertSound alert;
    CountingRegistry<> registry;  // empty: the tool is unavailable
    FakeProgramLauncher launcher;
    int endings = 0;
    ProgramWindows windows({messages, alert, registry, launcher, [&endings] { ++endings; }});
    windows.ShowMainWindow();
    windows.MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows.MainWindow()));
    QTest::keyClick(windows.MainWindow(), Qt::Key_O, Qt::AltModifier);
    QWidget* owner = windows.AboutDialog();
    if (std::string(window) == "FrmMain") {
      owner = windows.MainWindow();
    }
    owner->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(owner));
    // The event arrives while the message is up.
    QTimer::singleShot(0, owner, [owner, closing = std::string(closing)] {
      if (closing == "×") {
        owner->close();
      } else if (!closing.empty()) {
        QAccessible::queryAccessibleInterface(owner->findChild<QWidget*>(closing.c_str()))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
      }
    });
    QTest::keyClick(owner, owner == windows.MainWindow() ? Qt::Key_Return : Qt::Key_S,
                    owner == windows.MainWindow() ? Qt::NoModifier : Qt::AltModifier);
    QTest::qWait(200);  // a screen reader's press is Qt's animated click
    while (QApplication::activeModalWidget() != nullptr) {
      messages.Answer();
    }
    QStringList open;
    for (QWidget* w :
         std::initializer_list<QWidget*>{windows.MainWindow(), windows.AboutDialog()}) {
      if (w != nullptr) {
        open.append(w->objectName());
        EXPECT_EQ(NativeControls(*w), "");
      }
    }
    EXPECT_EQ(open.join(' '), left);
    EXPECT_EQ(endings, ended);
  }
}

// Every line the program prints speaks Chinese, as its windows do, and names what it is about;
// an answer that cannot be written (a full device) is reported, never passed over.
TEST(Program, AnswersInChineseWithAnExitStatusAndNeverAborts) {
  const struct {
    QStringList arguments;
    bool outputFull;  // standard output goes to a device that is always full
    int exitStatus;
    QStringList names;  // what its text must name
    int lines;
  } cases[] = {
      {{}, false, 1, {"ductcalc", "display :77"}, 1},  // no display opens
      {{"--version"}, false, 0, {"ductcalc 1.0.1"}, 1},
      {{"--help"}, false, 0, {"ductcalc [--help | --version]", "  --help ", "  --version "}, 5},
      {{"-reverse"}, false, 2, {"ductcalc", "“-reverse”", "ductcalc --help"}, 1},
      {{"--help", "x"}, false, 2, {"“x”"}, 1},
      {{"--version"}, true, 1, {"ductcalc"}, 1},
      {{"--help"}, true, 1, {"ductcalc"}, 1},
  };
  for (const auto& [arguments, outputFull, exitStatus, names, lines] : cases) {
    if ((arguments.isEmpty() || outputFull) && !DUCTCALC_POSIX) {
      continue;  // Windows always has its display, and no full device
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
      environment.remove(name);
    }
    environment.insert("DISPLAY", ":77");
    program.setProcessEnvironment(environment);
    if (outputFull) {
      program.setStandardOutputFile("/dev/full");
    }
    program.start(DUCTCALC_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString printed = program.readAllStandardOutput() + program.readAllStandardError();
    SCOPED_TRACE(printed.toStdString());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no abort, no core
    EXPECT_EQ(program.exitCode(), exitStatus);
    EXPECT_EQ(printed.count('\n'), lines);
    for (const QString& name : names) {
      EXPECT_TRUE(printed.contains(name)) << name.toStdString();
    }
    for (const QString& line : printed.split('\n', Qt::SkipEmptyParts)) {
      EXPECT_TRUE(line == "ductcalc 1.0.1" || line.contains(QRegularExpression(R"(\p{Han})")))
          << "not Chinese: " << line.toStdString();
    }
  }
}

TEST(ToolkitTexts, AreChineseWhateverTheLocale) {
  ASSERT_TRUE(InstallChineseToolkitTexts(*QCoreApplication::instance()))
      << "qt6-translations-l10n is missing: run scripts/install-deps";
  QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
  QLineEdit field;
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  EXPECT_EQ(menu->actions().value(0)->text().section('\t', 0, 0), "撤消(&U)");
}

}  // namespace
}  // namespace duct
