#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace duct {

// A window's control by its object name; a missing one fails the test that looks for it.
template <typename Control>
Control* FindControl(const QWidget& window, const char* name) {
  auto* control = window.findChild<Control*>(name);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// Shows a window and waits until it is the active one, as a user's window would be.
inline void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The object name of the control that has the keyboard focus.
inline QString FocusName() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace duct
