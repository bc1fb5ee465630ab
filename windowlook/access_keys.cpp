#include "windowlook/access_keys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>

namespace duct {
namespace {

// The Alt+Shift twin of the access key marked in `text`, or none.
QKeySequence ShiftedAccessKey(const QString& text) {
  const QKeySequence key = QKeySequence::mnemonic(text);
  if (key.isEmpty()) {
    return {};
  }
  return {key[0].keyboardModifiers() | Qt::ShiftModifier | key[0].key()};
}

}  // namespace

AccessKeys::AccessKeys(QWidget& window) : QObject(&window) {
  for (auto* button : window.findChildren<QAbstractButton*>()) {
    const QKeySequence shifted = ShiftedAccessKey(button->text());
    if (shifted.isEmpty()) {
      continue;
    }
    button->installEventFilter(this);
    connect(new QShortcut(shifted, &window), &QShortcut::activated, button,
            [button] { Activate(*button); });
  }
  for (auto* label : window.findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    const QKeySequence shifted = ShiftedAccessKey(label->text());
    if (buddy != nullptr && !shifted.isEmpty()) {
      connect(new QShortcut(shifted, &window), &QShortcut::activated, buddy,
              [buddy] { buddy->setFocus(Qt::ShortcutFocusReason); });
    }
  }
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button != nullptr && button->isEnabled()) {
      Activate(*button);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void AccessKeys::Activate(QAbstractButton& button) {
  if (button.isCheckable()) {
    button.setFocus(Qt::ShortcutFocusReason);
  }
  button.click();
}

}  // namespace duct
