#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "app/qt_message_boxes.h"

namespace duct {

// The program's own message boxes, each shown for real and answered with Enter as soon as it is
// up, so that a test goes on past it as a user would; every message is recorded.
class AnsweredMessageBoxes final : public MessageBoxService {
 public:
  void Show(const Message& message) override {
    shown.push_back(message);
    QTimer::singleShot(0, [] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr) << "no message box is up";
      QTest::keyClick(box, Qt::Key_Return);
      if (box->isVisible()) {
        ADD_FAILURE() << "Enter left the message box open";
        box->close();
      }
    });
    const QPointer<QWidget> owner = QApplication::activeWindow();
    boxes_.Show(message);
    // The user goes on in the window that showed the box, once it is active again.
    EXPECT_TRUE(!owner || QTest::qWaitForWindowActive(owner)) << "the window is active again";
  }

  std::vector<Message> shown;

 private:
  QtMessageBoxes boxes_;
};

// The names of the controls below `window` that have a native window of their own: none
// should, as drawn apart from their window they flicker and slow it down.
inline std::string NativeControls(const QWidget& window) {
  QStringList native;
  for (const auto* control : window.findChildren<QWidget*>()) {
    if (!control->isWindow() &&
        (control->testAttribute(Qt::WA_NativeWindow) || control->internalWinId() != 0)) {
      native.append(control->objectName());
    }
  }
  return native.join(", ").toStdString();
}

}  // namespace duct
