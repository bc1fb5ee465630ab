#include "about/frm_about.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "base/application_info.h"
#include "tests/support/fake_platform.h"
#include "tests/support/layout_checks.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

class FrmAboutTest : public testing::Test {
 protected:
  void SetUp() override {
    dialog_ = std::make_unique<frmAbout>(registry_, launcher_, messages_);
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }
  QPushButton* Button(const char* name) const { return dialog_->findChild<QPushButton*>(name); }
  static QString FocusName() { return QApplication::focusWidget()->objectName(); }

  CountingRegistry registry_;
  FakeProgramLauncher launcher_;
  RecordingMessageBoxes messages_;
  std::unique_ptr<frmAbout> dialog_;
};

TEST_F(FrmAboutTest, ShowsTheBuildsTitleAndVersionWithEveryTextWhole) {
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("关于 ") + kApplicationTitle);
  EXPECT_EQ(dialog_->findChild<QLabel*>("lblVersion")->text(), "版本 1.0.1");
  ExpectLayoutAtDesktopFontSizes(
      [this] { return std::make_unique<frmAbout>(registry_, launcher_, messages_); });
}

// A screen reader has a name to speak for every label and button.
TEST_F(FrmAboutTest, EveryLabelAndButtonHasAName) {
  for (auto* control : dialog_->findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(control) || qobject_cast<QPushButton*>(control)) {
      EXPECT_FALSE(
          QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
          << control->objectName().toStdString();
    }
  }
}

TEST_F(FrmAboutTest, FocusStartsOnOKAndTabMovesBetweenTheButtons) {
  EXPECT_EQ(FocusName(), "cmdOK");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "cmdSysInfo");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "cmdOK");
}

struct CloseCase {
  const char* name;
  std::function<void(frmAbout&)> close;
};

void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }

class FrmAboutCloseTest : public FrmAboutTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(FrmAboutCloseTest, ClosesAndAnnouncesItOnce) {
  QSignalSpy unloaded(dialog_.get(), &frmAbout::Unloaded);
  GetParam().close(*dialog_);
  QTRY_VERIFY(!dialog_->isVisible());
  EXPECT_EQ(unloaded.count(), 1);
  EXPECT_TRUE(messages_.shown.empty());
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FrmAboutCloseTest,
    testing::Values(CloseCase{"Enter", [](frmAbout&) { Key(Qt::Key_Return); }},
                    CloseCase{"Escape", [](frmAbout&) { Key(Qt::Key_Escape); }},
                    CloseCase{"EscapeOnSysInfo",
                              [](frmAbout& d) {
                                d.findChild<QPushButton*>("cmdSysInfo")->setFocus();
                                Key(Qt::Key_Escape);
                              }},
                    CloseCase{"AltO", [](frmAbout&) { Key(Qt::Key_O, Qt::AltModifier); }},
                    CloseCase{"ClickOK",
                              [](frmAbout& d) {
                                QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"),
                                                  Qt::LeftButton);
                              }},
                    CloseCase{"TitleBar", [](frmAbout& d) { d.close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrmAboutTest, SysInfoWithoutToolSaysSoOnceAndStaysOpen) {
  QSignalSpy unloaded(dialog_.get(), &frmAbout::Unloaded);
  Key(Qt::Key_S, Qt::AltModifier);
  QTRY_COMPARE(messages_.shown.size(), 1U);
  EXPECT_EQ(messages_.shown.front().text, "此时系统信息不可用");

  Button("cmdSysInfo")->setFocus();  // Enter clicks the button that has the focus
  Key(Qt::Key_Return);
  EXPECT_EQ(messages_.shown.size(), 2U);
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_EQ(unloaded.count(), 0);
}

}  // namespace
}  // namespace duct
