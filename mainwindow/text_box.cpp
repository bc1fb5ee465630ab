#include "text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <optional>

namespace duct {
namespace {

// The character code a key press types, as a key filter sees it; none for keys that type no
// character. Ctrl with a letter types a control character (Ctrl+C is 3, Ctrl+V 22), which is
// how the copy, paste, cut and undo shortcuts reach the filter before the line edit acts on
// them.
std::optional<qint16> TypedCharacter(const QKeyEvent& event) {
  const bool control = event.modifiers().testFlag(Qt::ControlModifier);
  const int key = event.key();
  if (key == Qt::Key_Backspace) {
    return static_cast<qint16>(control ? 127 : 8);
  }
  if (key == Qt::Key_Delete) {
    return std::nullopt;  // some platforms attach the DEL character to it
  }
  if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return static_cast<qint16>(key - Qt::Key_A + 1);
  }
  const QString text = event.text();
  if (text.isEmpty()) {
    return std::nullopt;
  }
  // Codes above 32767 (double-byte characters) become negative, as in a 16-bit signed code.
  return static_cast<qint16>(text.at(0).unicode());
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::SetKeyPressHandler(KeyPressHandler handler) { keyPressHandler_ = std::move(handler); }

void TextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit GotFocus();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->ignore();  // the window's default and cancel buttons take these
      return;
    default:
      break;
  }
  const auto keyAscii = TypedCharacter(*event);
  if (keyAscii && !AcceptCharacter(*keyAscii)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// Text composed in an input method arrives here rather than as key presses; each of its
// characters passes the same handler.
void TextBox::inputMethodEvent(QInputMethodEvent* event) {
  QString kept;
  for (const QChar c : event->commitString()) {
    if (AcceptCharacter(static_cast<qint16>(c.unicode()))) {
      kept.append(c);
    }
  }
  if (kept != event->commitString()) {
    event->setCommitString(kept, event->replacementStart(), event->replacementLength());
  }
  QLineEdit::inputMethodEvent(event);
}

bool TextBox::AcceptCharacter(qint16 keyAscii) {
  if (keyPressHandler_) {
    keyPressHandler_(keyAscii);
  }
  return keyAscii != 0;
}

}  // namespace duct
