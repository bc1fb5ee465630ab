#include "mainwindow/text_box.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <optional>
#include <utility>

#include "mainwindow/accessible_text_box.h"

namespace duct {
namespace {

// The character code a single key press types, as a key filter sees it; none for keys that type
// no character. Ctrl with a letter types a control character (Ctrl+C is 3, Ctrl+V 22), which is
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

// Focus that leaves for another window or a popup menu comes back to the same box.
bool IsFocusAway(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// The characters that end a copied spreadsheet cell: a line break (CR LF or LF after the last
// cell of a row) or a tab (before the next cell of the row).
bool EndsCell(QChar c) {
  return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\x85' ||
         c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
}

// The text after the last cell end of `text`; all of it when it has none.
QString AfterLastCellEnd(const QString& text) {
  const auto last = std::find_if(text.rbegin(), text.rend(), EndsCell);
  return text.right(last - text.rbegin());
}

// QLineEdit's blank on either side of its text, inside the contents rectangle of the style.
constexpr int kTextMargin = 2;

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  QAccessible::installFactory(AccessibleTextBox::ForTextBox);  // kept once, however often asked
  connect(this, &QLineEdit::textChanged, this, &TextBox::TextChanged);
}

void TextBox::SetKeyPressHandler(KeyPressHandler handler) { keyPressHandler_ = std::move(handler); }

// In Chinese punctuation mode, the default of the common Chinese input methods, the point key
// types "。": an input method that the box does not accept passes the keys on as they are.
QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  return query == Qt::ImEnabled ? QVariant(false) : QLineEdit::inputMethodQuery(query);
}

void TextBox::WriteText(const QString& text) {
  keptText_ = text;
  setText(text);
  setCursorPosition(0);  // QLineEdit leaves the caret, and so the view, at the end
}

void TextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (std::exchange(focusAway_, false) && IsFocusAway(event->reason())) {
    return;  // back from another window or a menu: the focus did not arrive from a control
  }
  emit GotFocus();
  focusedByMouse_ = event->reason() == Qt::MouseFocusReason;
  selectionStartOnFocus_ = selectionStart();
  selectionLengthOnFocus_ = selectionLength();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  focusAway_ = IsFocusAway(event->reason());
  focusedByMouse_ = false;
  clickBroughtFocus_ = false;
  QLineEdit::focusOutEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent* event) {
  clickBroughtFocus_ = std::exchange(focusedByMouse_, false) && event->button() == Qt::LeftButton;
  QLineEdit::mousePressEvent(event);
}

// The press placed the caret and dropped the selection that the focus handler made; a plain
// click gets it back, a drag keeps its own.
void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (std::exchange(clickBroughtFocus_, false) && !hasSelectedText() &&
      selectionStartOnFocus_ >= 0) {
    setSelection(selectionStartOnFocus_, selectionLengthOnFocus_);
  }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->ignore();  // the window's default and cancel buttons take these
      return;
    case Qt::Key_F10:
      if (event->modifiers() == Qt::ShiftModifier) {
        OpenContextMenuAtCaret();
        return;
      }
      break;
    default:
      break;
  }
  // A compose sequence can type several characters with one key; each passes the handler.
  if (event->text().size() > 1 && !event->modifiers().testFlag(Qt::ControlModifier)) {
    const QString kept = AcceptedCharacters(event->text());
    if (!isReadOnly()) {
      insert(kept);
    }
    event->accept();
    return;
  }
  const auto keyAscii = TypedCharacter(*event);
  if (keyAscii && !AcceptCharacter(*keyAscii)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// Text composed in an input method arrives here rather than as key presses.
void TextBox::inputMethodEvent(QInputMethodEvent* event) {
  if (isReadOnly()) {
    event->accept();  // nothing composed reaches a locked box, not even for show
    return;
  }
  const QString kept = AcceptedCharacters(event->commitString());
  if (kept != event->commitString()) {
    event->setCommitString(kept, event->replacementStart(), event->replacementLength());
  }
  QLineEdit::inputMethodEvent(event);
}

// A screen reader edits through Qt's accessibility calls, which set the text whether or not the
// box is locked: a locked box takes its text back at once. A cell end (a line break or a tab)
// can only have come with the text just pasted, dropped or set, which ends at the caret: what
// followed its first cell end goes.
void TextBox::TextChanged(const QString& text) {
  if (isReadOnly() && text != keptText_) {
    setText(keptText_);
    return;
  }
  const auto cellEnd = std::find_if(text.begin(), text.end(), EndsCell);
  if (cellEnd != text.end()) {
    const auto at = static_cast<int>(cellEnd - text.begin());
    setText(text.left(at) + AfterLastCellEnd(text.mid(std::max(cursorPosition(), at))));
    setCursorPosition(at);
    return;
  }
  keptText_ = text;
  ShowWholeTextWhereItDoesNotFit(text);
}

// A text wider than the box shows by a part of it; its tooltip shows it whole.
void TextBox::ShowWholeTextWhereItDoesNotFit(const QString& text) {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const int room = contents.marginsRemoved(textMargins()).width() - 2 * kTextMargin;
  // The caret takes one pixel after the text.
  setToolTip(fontMetrics().horizontalAdvance(text) + 1 > room ? text : QString());
}

// Shift+F10 opens the menu as the Menu key does: Qt knows only the Menu key, while desktops and
// Windows take both.
void TextBox::OpenContextMenuAtCaret() {
  const QPoint caret = cursorRect().center();
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, caret, mapToGlobal(caret));
  QCoreApplication::sendEvent(this, &menu);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    action->setText(action->text().section('\t', 0, 0));  // "复制(&C)\tCtrl+C"
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

bool TextBox::AcceptCharacter(qint16 keyAscii) {
  if (keyPressHandler_) {
    keyPressHandler_(keyAscii);
  }
  return keyAscii != 0;
}

QString TextBox::AcceptedCharacters(const QString& typed) {
  QString kept;
  for (const QChar c : typed) {
    if (AcceptCharacter(static_cast<qint16>(c.unicode()))) {
      kept.append(c);
    }
  }
  return kept;
}

}  // namespace duct
