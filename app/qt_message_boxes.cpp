#include "qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace duct {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessageBoxes::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                  FromUtf8(title), FromUtf8(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace duct
