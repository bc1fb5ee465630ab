#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>

#include "mainwindow/frm_main.h"
#include "tests/support/layout_checks.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

class FrmMainLayout : public testing::Test {
 protected:
  std::unique_ptr<FrmMain> Open() { return std::make_unique<FrmMain>(state_, messages_, alert_); }

  CalculationState state_;
  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
};

TEST_F(FrmMainLayout, TextsStayWholeAndChineseAtAnyDesktopFontSize) {
  ExpectLayoutAtDesktopFontSizes([this] { return Open(); });
}

// A screen reader names each field after its row, not after the frame around it.
TEST_F(FrmMainLayout, FieldsAreNamedAfterTheirRows) {
  const auto window = Open();
  const std::vector<std::pair<const char*, QString>> names = {{"TxtA(0)", "边长a"},
                                                              {"TxtA(1)", "边长b"},
                                                              {"TxtD(0)", "流速当量直径"},
                                                              {"TxtD(1)", "流量当量直径"}};
  for (const auto& [field, name] : names) {
    auto* accessible = QAccessible::queryAccessibleInterface(window->findChild<QLineEdit*>(field));
    EXPECT_EQ(accessible->text(QAccessible::Name), name) << field;
  }
}

}  // namespace
}  // namespace duct
