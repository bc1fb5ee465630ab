// The program: its two windows together, its command line, its start without a display.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
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

// A message box of either window, shown and answered for real, leaves every control of that
// window drawn within it, without a native window of its own.
TEST(ProgramWindows, MessageBoxesLeaveTheControlsInTheirWindows) {
  AnsweredMessageBoxes messages;
  CountingAlertSound alert;
  CountingRegistry<> registry;  // empty: the tool is unavailable
  FakeProgramLauncher launcher;
  ProgramWindows windows({messages, alert, registry, launcher, [] {}});
  windows.ShowMainWindow();
  windows.MainWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(windows.MainWindow()));
  QTest::keyClick(windows.MainWindow()->findChild<QWidget*>("TxtA(0)"), Qt::Key_Return);
  QTest::keyClick(windows.MainWindow()->findChild<QWidget*>("TxtA(0)"), Qt::Key_O, Qt::AltModifier);
  ASSERT_NE(windows.AboutDialog(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(windows.AboutDialog()));
  QTest::keyClick(windows.AboutDialog()->findChild<QWidget*>("cmdOK"), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(messages.shown.size(), 2U);
  EXPECT_EQ(NativeControls(*windows.MainWindow()), "");
  EXPECT_EQ(NativeControls(*windows.AboutDialog()), "");
}

TEST(Program, AnswersWithOneTextAndAnExitStatusAndNeverAborts) {
  const QString kNoDisplay = "ductcalc: no display to show the window on";
  const struct {
    QStringList arguments;
    QString display;  // DISPLAY, no other display variable being set
    int exitStatus;
    QString output;  // how what it prints, on standard output or error, begins
    int lines;
  } cases[] = {
      // clang-format off
      {{}, ":77", 1, kNoDisplay + " (could not connect to display :77)\n", 1},
      {{"--version"}, ":77", 0, "ductcalc 1.0.1\n", 1},
      {{"--help"}, ":77", 0, "Usage: ductcalc [--help | --version]\n", 5},
      {{"-reverse"}, ":77", 2, "ductcalc: unknown argument '-reverse' (try 'ductcalc --help')\n",
       1},
      // clang-format on
  };

  for (const auto& [arguments, display, exitStatus, output, lines] : cases) {
    if (arguments.isEmpty() && !DUCTCALC_DISPLAY_CAN_FAIL) {
      continue;  // Windows always has its display
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
      environment.remove(name);
    }
    environment.insert("DISPLAY", display);
    program.setProcessEnvironment(environment);
    program.start(DUCTCALC_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString printed = program.readAllStandardOutput() + program.readAllStandardError();
    SCOPED_TRACE(printed.toStdString());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no abort, no core
    EXPECT_EQ(program.exitCode(), exitStatus);
    EXPECT_TRUE(printed.startsWith(output) && printed.count('\n') == lines);
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
