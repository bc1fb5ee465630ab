#include "frm_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "application_info.h"
#include "counting_registry.h"
#include "fake_program_launcher.h"
#include "recording_message_boxes.h"
#include "sys_info.h"
#include "widget_helpers.h"

namespace duct {
namespace {

const Message kUnavailable{"此时系统信息不可用", MessageIcon::None, kApplicationTitle};

class FrmAboutTest : public testing::Test {
 protected:
  void SetUp() override {
    dialog_ = std::make_unique<frmAbout>(registry_, launcher_, messages_);
    ShowActive(*dialog_);
  }

  template <typename Control>
  Control* Find(const char* name) const {
    return FindControl<Control>(*dialog_, name);
  }
  QLabel* Label(const char* name) const { return Find<QLabel>(name); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }

  CountingRegistry registry_;
  FakeProgramLauncher launcher_;
  RecordingMessageBoxes messages_;
  std::unique_ptr<frmAbout> dialog_;
};

TEST_F(FrmAboutTest, BuildsItsTextsFromTitleAndVersion) {
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("关于 ") + kApplicationTitle);
  EXPECT_EQ(Label("lblVersion")->text(), "版本 1.0.1");
  EXPECT_EQ(Label("lblTitle")->text(), kApplicationTitle);
  EXPECT_EQ(Button("cmdOK")->text(), "确定(&O)");
  EXPECT_EQ(Button("cmdSysInfo")->text(), "系统信息(&S)...");

  const QString description = Label("lblDescription")->text();
  EXPECT_TRUE(description.startsWith("说明:该程序用于计算方管的当量直径"));
  EXPECT_GE(description.count('\n'), 2) << "two contact lines of their own";
  for (const QString& text : {description, Label("lblDisclaimer")->text()}) {
    EXPECT_FALSE(text.contains('@') || text.contains("http") || text.contains("www"));
  }

  const QString free = Label("Label1")->text();
  EXPECT_EQ(free.size(), 5);
  for (const QChar c : free) {
    EXPECT_GE(c.unicode(), 0x3000) << "full-width";
  }
}

struct Placement {
  const char* name;
  QRect geometry;
};

TEST_F(FrmAboutTest, ControlsStandWhereTheLayoutSays) {
  EXPECT_EQ(dialog_->size(), QSize(382, 237));
  EXPECT_EQ(dialog_->minimumSize(), dialog_->maximumSize());
  const std::vector<Placement> placements = {
      {"cmdOK", {275, 175, 100, 23}},         {"cmdSysInfo", {276, 205, 99, 23}},
      {"lblDescription", {104, 72, 259, 70}}, {"lblDisclaimer", {17, 176, 234, 55}},
      {"lblTitle", {104, 16, 259, 32}},       {"lblVersion", {104, 52, 259, 15}},
      {"Image1", {24, 24, 51, 51}},           {"Line1(1)", {6, 163, 372, 1}},
      {"Line1(0)", {7, 164, 371, 2}},
  };
  for (const auto& [name, geometry] : placements) {
    EXPECT_EQ(Find<QWidget>(name)->geometry(), geometry) << name;
  }
  auto* label1 = Label("Label1");
  EXPECT_EQ(label1->pos(), QPoint(8, 88));
  EXPECT_EQ(label1->size(), label1->sizeHint()) << "sized to its text";
}

TEST_F(FrmAboutTest, LooksOfFontsColoursGrooveAndEmblem) {
  auto* label1 = Label("Label1");
  EXPECT_EQ(label1->font().families().value(0), "幼圆");
  EXPECT_EQ(label1->font().pointSizeF(), 12.0);
  EXPECT_EQ(label1->palette().color(QPalette::WindowText), QColor(0, 0, 192));
  for (const char* name : {"lblDescription", "lblDisclaimer", "lblTitle"}) {
    EXPECT_EQ(Label(name)->palette().color(QPalette::WindowText), QColor(Qt::black)) << name;
  }
  EXPECT_EQ(Find<QWidget>("Line1(1)")->palette().color(QPalette::Window), QColor(128, 128, 128));
  EXPECT_EQ(Find<QWidget>("Line1(0)")->palette().color(QPalette::Window), QColor(Qt::white));
  auto* image = Label("Image1");
  EXPECT_TRUE(image->hasScaledContents());
  EXPECT_EQ(image->pixmap().size(), QSize(32, 32));
  EXPECT_TRUE(dialog_->windowIcon().availableSizes().contains(QSize(32, 32)));
}

// No owner, so either window can come in front; a fixed frame with only a close button.
TEST_F(FrmAboutTest, IsAnOwnerlessFixedWindowWithACloseButton) {
  EXPECT_EQ(dialog_->parentWidget(), nullptr);
  EXPECT_EQ(dialog_->windowType(), Qt::Window);
  EXPECT_FALSE(dialog_->isModal());
  const auto flags = dialog_->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
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

INSTANTIATE_TEST_SUITE_P(
    Paths, FrmAboutCloseTest,
    testing::Values(
        CloseCase{"Enter",
                  [](frmAbout&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        CloseCase{"Escape",
                  [](frmAbout&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        CloseCase{"EscapeOnSysInfo",
                  [](frmAbout& d) {
                    auto* button = d.findChild<QPushButton*>("cmdSysInfo");
                    button->setFocus();
                    QTest::keyClick(button, Qt::Key_Escape);
                  }},
        CloseCase{"AltO",
                  [](frmAbout&) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
                  }},
        CloseCase{"ClickOK",
                  [](frmAbout& d) {
                    QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
                  }},
        CloseCase{"TitleBar", [](frmAbout& d) { d.close(); }}),
    [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

TEST_F(FrmAboutTest, SysInfoWithoutToolSaysSoOnceAndStaysOpen) {
  QSignalSpy unloaded(dialog_.get(), &frmAbout::Unloaded);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
  QTRY_COMPARE(messages_.shown.size(), 1U);
  EXPECT_EQ(messages_.shown.front(), kUnavailable);

  Button("cmdSysInfo")->setFocus();  // Enter clicks the button that has the focus
  QTest::keyClick(Button("cmdSysInfo"), Qt::Key_Return);
  EXPECT_EQ(messages_.shown.size(), 2U);
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_EQ(unloaded.count(), 0);
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(FrmAboutTest, SysInfoStartsTheToolFromTheRegistry) {
  registry_.values.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue,
                            {kRegSz, std::string("/usr/bin/hardinfo\0", 18)});
  launcher_.files.insert("/usr/bin/hardinfo");
  QTest::mouseClick(Button("cmdSysInfo"), Qt::LeftButton);
  EXPECT_EQ(launcher_.started, std::vector<std::string>{"/usr/bin/hardinfo"});
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_TRUE(dialog_->isVisible());
}

}  // namespace
}  // namespace duct
