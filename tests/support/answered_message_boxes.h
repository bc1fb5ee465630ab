#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "app/qt_message_boxes.h"

namespace duct {

// The program's own message boxes, shown for real and recorded; the test answers each with
// Enter, as a user would, once the handler that showed it has ended.
class AnsweredMessageBoxes final : public MessageBoxService {
 public:
  void Show(const Message& message) override {
    shown.push_back(message);
    boxes_.Show(message);
  }

  // Enter into the box that is up, which shows the last message as users must see it: its text,
  // its title, its icon or none, and an OK button alone, in Chinese. The user goes on in the
  // window that showed it, once that is active again.
  void Answer() const {
    const QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr) << "no message box is up";
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(box->text().toStdString(), shown.back().text);
    EXPECT_EQ(box->windowTitle().toStdString(), shown.back().title);
    EXPECT_EQ(box->icon(), shown.back().icon == MessageIcon::Information ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->button(QMessageBox::Ok)->text(), "确定");
    const QPointer<QWidget> owner = box->parentWidget();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box.isNull() || !box->isVisible()) << "Enter left the message box open";
    EXPECT_TRUE(QTest::qWaitFor([&owner] { return !owner || owner->isActiveWindow(); }))
        << "the window is active again";
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
