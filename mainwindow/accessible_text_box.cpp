#include "mainwindow/accessible_text_box.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>

#include "mainwindow/text_box.h"

namespace duct {

AccessibleTextBox::AccessibleTextBox(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QAccessibleInterface* AccessibleTextBox::ForTextBox(const QString& className, QObject* object) {
  auto* box = qobject_cast<TextBox*>(object);
  return box != nullptr && className == TextBox::staticMetaObject.className()
             ? new AccessibleTextBox(box)
             : nullptr;
}

QLineEdit* AccessibleTextBox::Box() const { return static_cast<QLineEdit*>(widget()); }

QString AccessibleTextBox::text(QAccessible::Text t) const {
  return t == QAccessible::Value ? Box()->text() : QAccessibleWidget::text(t);
}

void AccessibleTextBox::setText(QAccessible::Text t, const QString& text) {
  if (t == QAccessible::Value) {
    Box()->setText(text);
  } else {
    QAccessibleWidget::setText(t, text);
  }
}

QAccessible::State AccessibleTextBox::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = true;
  state.readOnly = Box()->isReadOnly();
  state.selectableText = true;
  return state;
}

void* AccessibleTextBox::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) {
    return static_cast<QAccessibleTextInterface*>(this);
  }
  if (t == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(t);
}

// Without a selection, -1 to -1: the bridge then reports the caret.
void AccessibleTextBox::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex == 0) {
    *startOffset = Box()->selectionStart();
    *endOffset = *startOffset + Box()->selectionLength();
  }
}

int AccessibleTextBox::selectionCount() const { return Box()->hasSelectedText() ? 1 : 0; }

void AccessibleTextBox::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void AccessibleTextBox::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) {
    Box()->deselect();
  }
}

void AccessibleTextBox::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) {
    Box()->setSelection(startOffset, endOffset - startOffset);
  }
}

int AccessibleTextBox::cursorPosition() const { return Box()->cursorPosition(); }

void AccessibleTextBox::setCursorPosition(int position) { Box()->setCursorPosition(position); }

QString AccessibleTextBox::text(int startOffset, int endOffset) const {
  return startOffset > endOffset ? QString()
                                 : Box()->text().mid(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::characterCount() const { return static_cast<int>(Box()->text().size()); }

// Placed from the caret, whose place the line edit gives input methods (its rectangle centred on
// it), so that a text scrolled in its box is placed where it shows.
QRect AccessibleTextBox::characterRect(int offset) const {
  const QString character = text(offset, offset + 1);
  if (character.isEmpty()) {
    return {};
  }
  const QString whole = Box()->text();
  const QFontMetrics metrics(Box()->font());
  const QRectF caret = Box()->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
  const qreal x = caret.center().x() + metrics.horizontalAdvance(whole.left(offset)) -
                  metrics.horizontalAdvance(whole.left(Box()->cursorPosition()));
  const QPoint topLeft = Box()->mapToGlobal(QPointF(x, caret.top())).toPoint();
  return {topLeft, QSize(metrics.horizontalAdvance(character), metrics.height())};
}

int AccessibleTextBox::offsetAtPoint(const QPoint& point) const {
  return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
}

void AccessibleTextBox::scrollToSubstring(int startIndex, int endIndex) {
  Box()->setCursorPosition(endIndex);
  Box()->setCursorPosition(startIndex);
}

// The run that holds the offset (the caret's, after the last character, too): the whole text.
QString AccessibleTextBox::attributes(int offset, int* startOffset, int* endOffset) const {
  const bool inText = offset >= 0 && offset <= characterCount();
  *startOffset = inText ? 0 : -1;
  *endOffset = inText ? characterCount() : -1;
  return {};
}

// A word or a sentence runs from the last start or end of an item at or before the offset to the
// next one after it, as in Qt's own, within the text.
QString AccessibleTextBox::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
  const QString whole = Box()->text();
  const bool word = boundaryType == QAccessible::WordBoundary;
  if ((!word && boundaryType != QAccessible::SentenceBoundary) || whole.isEmpty() || offset < 0 ||
      offset > whole.size()) {
    return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
  }
  QTextBoundaryFinder items(word ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Sentence,
                            whole);
  const auto atItemEdge = [&items] {
    return (items.boundaryReasons() &
            (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)) != 0;
  };
  items.setPosition(offset);
  while (items.position() > 0 && !atItemEdge()) {
    items.toPreviousBoundary();
  }
  *startOffset = static_cast<int>(items.position());
  while (items.position() < whole.size() && items.toNextBoundary() < whole.size() &&
         !atItemEdge()) {
  }
  *endOffset = static_cast<int>(items.position());
  return whole.mid(*startOffset, *endOffset - *startOffset);
}

void AccessibleTextBox::deleteText(int startOffset, int endOffset) {
  Box()->setText(Box()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleTextBox::insertText(int offset, const QString& text) {
  Box()->setText(Box()->text().insert(offset, text));
}

void AccessibleTextBox::replaceText(int startOffset, int endOffset, const QString& text) {
  Box()->setText(Box()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace duct
