#include "app/program_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "tests/support/fake_platform.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

class ProgramWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    windows_.ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(windows_.MainWindow()));
  }

  // Windows closed with delete-on-close go at the next turn of the event loop.
  static void FinishClosing() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  template <typename Control>
  Control* InMain(const char* name) const {
    return windows_.MainWindow()->findChild<Control*>(name);
  }
  void PressAbout() const { QTest::mouseClick(InMain<QPushButton>("CmdAbout"), Qt::LeftButton); }
  static int OpenAboutDialogs() {
    int count = 0;
    for (const auto* widget : QApplication::topLevelWidgets()) {
      count += qobject_cast<const frmAbout*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    return count;
  }

  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
  CountingRegistry registry_;
  FakeProgramLauncher launcher_;
  int ended_ = 0;
  ProgramWindows windows_{{messages_, alert_, registry_, launcher_, [this] { ++ended_; }}};
};

TEST_F(ProgramWindowsTest, AboutPressedTwiceShowsOneDialog) {
  PressAbout();
  const QPointer<frmAbout> first = windows_.AboutDialog();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->parentWidget(), nullptr);
  PressAbout();
  EXPECT_EQ(windows_.AboutDialog(), first);
  EXPECT_EQ(OpenAboutDialogs(), 1);
  EXPECT_TRUE(windows_.MainWindow()->isVisible());  // modeless: the main window stays usable
  EXPECT_TRUE(windows_.MainWindow()->isEnabled());
}

TEST_F(ProgramWindowsTest, ClosedDialogIsCreatedAfreshWithTheSameTexts) {
  PressAbout();
  const QString caption = windows_.AboutDialog()->windowTitle();
  windows_.AboutDialog()->close();
  FinishClosing();
  EXPECT_EQ(windows_.AboutDialog(), nullptr);
  EXPECT_TRUE(windows_.MainWindow()->isVisible());

  PressAbout();
  ASSERT_NE(windows_.AboutDialog(), nullptr);
  EXPECT_EQ(windows_.AboutDialog()->windowTitle(), caption);
  EXPECT_EQ(OpenAboutDialogs(), 1);
  EXPECT_EQ(ended_, 0);
}

TEST_F(ProgramWindowsTest, QuitClosesBothWindowsAndEndsWithoutReopening) {
  PressAbout();
  QTest::keyClick(InMain<QLineEdit>("TxtA(0)"), Qt::Key_Escape);
  EXPECT_FALSE(windows_.MainWindow()->isVisible());
  EXPECT_FALSE(windows_.AboutDialog()->isVisible());
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), nullptr);
  EXPECT_EQ(windows_.AboutDialog(), nullptr);
  EXPECT_EQ(ended_, 1);
}

TEST_F(ProgramWindowsTest, QuitWithoutDialogEnds) {
  QTest::mouseClick(InMain<QPushButton>("CmdQuit"), Qt::LeftButton);
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), nullptr);
  EXPECT_GE(ended_, 1);
}

TEST_F(ProgramWindowsTest, FrameCloseWithoutDialogEnds) {
  windows_.MainWindow()->close();
  FinishClosing();
  EXPECT_EQ(ended_, 1);
}

// The main window closed through its frame while the dialog is open: the program goes on, and
// closing the dialog opens the main window again in its start state, the numbers kept.
TEST_F(ProgramWindowsTest, DialogBringsBackAClosedMainWindowInItsStartState) {
  QTest::keyClicks(InMain<QLineEdit>("TxtA(0)"), "500");
  QTest::keyClick(InMain<QLineEdit>("TxtA(0)"), Qt::Key_Tab);
  QTest::keyClicks(InMain<QLineEdit>("TxtA(1)"), "320");
  QTest::mouseClick(InMain<QRadioButton>("Option1(1)"), Qt::LeftButton);
  QTest::mouseClick(InMain<QPushButton>("CmdStart"), Qt::LeftButton);  // reverse: C path
  const CalculationState numbers = windows_.State();
  PressAbout();

  windows_.MainWindow()->close();
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), nullptr);
  EXPECT_EQ(ended_, 0);
  EXPECT_TRUE(windows_.AboutDialog()->isVisible());

  QTest::keyClick(windows_.AboutDialog(), Qt::Key_Escape);
  FinishClosing();
  ASSERT_NE(windows_.MainWindow(), nullptr);
  EXPECT_TRUE(windows_.MainWindow()->isVisible());
  EXPECT_EQ(InMain<QLineEdit>("TxtA(0)")->text(), "(空白)");
  EXPECT_TRUE(InMain<QRadioButton>("Option1(0)")->isChecked());
  EXPECT_TRUE(InMain<QLineEdit>("TxtD(0)")->isReadOnly());
  EXPECT_EQ(windows_.State(), numbers);
  EXPECT_EQ(ended_, 0);
}

TEST_F(ProgramWindowsTest, ClosingTheDialogLeavesAnOpenMainWindowAsItIs) {
  QTest::keyClicks(InMain<QLineEdit>("TxtA(0)"), "500");
  const FrmMain* main = windows_.MainWindow();
  PressAbout();
  windows_.AboutDialog()->close();
  FinishClosing();
  EXPECT_EQ(windows_.MainWindow(), main);
  EXPECT_EQ(InMain<QLineEdit>("TxtA(0)")->text(), "500");
}

}  // namespace
}  // namespace duct
