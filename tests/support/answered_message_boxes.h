#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
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
  // its title, its icon or none, and an OK button alone, in Chinese and without an icon; until
  // then no other window of the program takes a click, the About dialog no more than the window
  // that showed the box. The user goes on in that window, once it is active again.
  void Answer() const {
    const QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr) << "no message box is up";  // and so a message was shown
    QList<QPointer<QWidget>> windows;  // a click lets a box closed before be deleted
    for (QWidget* window : QApplication::topLevelWidgets()) {
      windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows) {
      EXPECT_TRUE(!window || window == box || !window->isVisible() || !TakesClick(*window))
          << window->objectName().toStdString() << " takes a click beside the message";
    }
    EXPECT_EQ(box->text().toStdString(), shown.back().text);
    EXPECT_EQ(box->windowTitle().toStdString(), shown.back().title);
    EXPECT_EQ(box->icon(), shown.back().icon == MessageIcon::Information ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->button(QMessageBox::Ok)->text(), "确定");
    EXPECT_TRUE(box->button(QMessageBox::Ok)->icon().isNull());
    const QPointer<QWidget> owner = box->parentWidget();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box.isNull() || !box->isVisible()) << "Enter left the message box open";
    EXPECT_TRUE(QTest::qWaitFor([&owner] { return !owner || owner->isActiveWindow(); }))
        << "the window is active again";
  }

  std::vector<Message> shown;

 private:
  // A click in the window's corner, as the window system delivers one, reaches it.
  static bool TakesClick(QWidget& window) {
    struct PressCounter : QObject {
      bool eventFilter(QObject* /*receiver*/, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress ? 1 : 0;
        return false;
      }
      int presses = 0;
    } counter;
    QApplication::instance()->installEventFilter(&counter);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
    return counter.presses > 0;
  }

  QtMessageBoxes boxes_;
};

}  // namespace duct
