#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "calculation_state.h"
#include "counting_alert_sound.h"
#include "frm_main.h"
#include "recording_message_boxes.h"
#include "widget_helpers.h"

namespace duct {

// A shown and active calculator window with recording services.
class FrmMainTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<FrmMain>(state_, messages_, alert_);
    ShowActive(*window_);
  }

  template <typename Control>
  Control* Find(const char* name) const {
    return FindControl<Control>(*window_, name);
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QRadioButton* Radio(const char* name) const { return Find<QRadioButton>(name); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QGroupBox* Frame(const char* name) const { return Find<QGroupBox>(name); }

  // The locks and frame captions that a direction sets.
  void ExpectDirection(bool reverse) const {
    EXPECT_EQ(Radio("Option1(1)")->isChecked(), reverse);
    EXPECT_EQ(Radio("Option1(0)")->isChecked(), !reverse);
    EXPECT_FALSE(Edit("TxtA(0)")->isReadOnly());
    EXPECT_EQ(Edit("TxtA(1)")->isReadOnly(), reverse);
    EXPECT_EQ(Edit("TxtD(0)")->isReadOnly(), !reverse);
    EXPECT_EQ(Edit("TxtD(1)")->isReadOnly(), !reverse);
    EXPECT_EQ(Frame("Frame1")->title(), reverse ? "" : "输入");
    EXPECT_EQ(Frame("Frame2")->title(), reverse ? "" : "输出");
  }
  bool AnyDiameterChosen() const {
    return Radio("Option2(0)")->isChecked() || Radio("Option2(1)")->isChecked();
  }

  void Click(QWidget* control) const { QTest::mouseClick(control, Qt::LeftButton); }
  void Reverse() const { Click(Radio("Option1(1)")); }
  void Forward() const { Click(Radio("Option1(0)")); }
  void TypeInto(const char* field, const QString& keys) const {
    Edit(field)->setFocus(Qt::OtherFocusReason);
    Edit(field)->selectAll();
    QTest::keyClicks(Edit(field), keys);
  }

  CalculationState state_;
  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
  std::unique_ptr<FrmMain> window_;
};

}  // namespace duct
