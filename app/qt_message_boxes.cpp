#include "app/qt_message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "windowlook/window_frame.h"

namespace duct {

// The box is shown without an event loop of its own, so the handler that shows it always ends
// before anything else happens. A nested loop would run the user's (or a screen reader's) next
// actions under that handler: a window closed there was deleted while its own handler was
// still on the stack. The box belongs to the window it is shown over and goes with it.
void QtMessageBoxes::Show(const Message& message) {
  const QPointer<QWidget> owner = QApplication::activeWindow();
  auto* box = new QMessageBox(
      message.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
      QString::fromStdString(message.title), QString::fromStdString(message.text), QMessageBox::Ok,
      owner);
  // The plain OK of the toolkit's texts, without the access key and the icon that the GNOME and
  // GTK themes give a dialog's standard buttons.
  QAbstractButton* ok = box->button(QMessageBox::Ok);
  ok->setText(QCoreApplication::translate("QPlatformTheme", "OK"));
  ok->setIcon({});
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  RequestFrame(*box, {.dialog = true});
  // Some window managers (openbox) give the focus to another window of the program, passing
  // over one that is kept off the task bar, such as the About dialog.
  QObject::connect(box, &QDialog::finished, box, [owner] {
    if (owner) {
      owner->activateWindow();
    }
  });
  box->show();
}

}  // namespace duct
