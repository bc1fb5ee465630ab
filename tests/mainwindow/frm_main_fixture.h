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

namespace duct {

// A shown and active calculator window with recording services.
class FrmMainTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<FrmMain>(state_, messages_, alert_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename Control>
  Control* Find(const char* name) const {
    auto* control = window_->findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QRadioButton* Radio(const char* name) const { return Find<QRadioButton>(name); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QGroupBox* Frame(const char* name) const { return Find<QGroupBox>(name); }
  QString FocusName() const {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
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
