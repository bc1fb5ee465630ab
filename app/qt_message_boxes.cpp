#include "app/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "resources/window_frame.h"

namespace duct {

void QtMessageBoxes::Show(const Message& message) {
  const QPointer<QWidget> owner = QApplication::activeWindow();
  QMessageBox box(
      message.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
      QString::fromStdString(message.title), QString::fromStdString(message.text), QMessageBox::Ok,
      owner);
  RequestFrame(box, {.dialog = true});
  box.exec();
  // Some window managers (openbox) give the focus to another window of the program, passing
  // over one that is kept off the task bar, such as the About dialog.
  if (owner) {
    owner->activateWindow();
  }
}

}  // namespace duct
