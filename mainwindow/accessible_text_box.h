#pragma once

#include <QAccessibleWidget>
#include <QLineEdit>

namespace duct {

// What a screen reader reads of a text box, in place of Qt's own interface for a line edit, which
// misleads it twice:
// - it answers a query for the attribute run at an offset with the empty run [offset, offset):
//   Orca, which splits the line it speaks at the runs' ends, then reads every field one character
//   short ("100" for 1000, "(空白" for "(空白)"); a text box has no attributes, its whole text is
//   one run;
// - asked for the word at the end of a text that ends in one ("1000", the caret after it: Orca
//   asks so after Ctrl+Right) or at the start of one that begins with none ("(空白)"), or for the
//   sentence at the end of any text, it loops for ever and the program hangs; the item is found
//   here by the same rules, stopping at the text's ends.
// Everything else reads and edits the line edit as Qt's interface does, but for a character's
// place, which is taken from the caret's.
class AccessibleTextBox final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
 public:
  explicit AccessibleTextBox(QLineEdit* box);

  // A factory for QAccessible::installFactory: this interface for every duct::TextBox.
  static QAccessibleInterface* ForTextBox(const QString& className, QObject* object);

  [[nodiscard]] QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text t, const QString& text) override;
  [[nodiscard]] QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  [[nodiscard]] int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  [[nodiscard]] int cursorPosition() const override;
  void setCursorPosition(int position) override;
  [[nodiscard]] QString text(int startOffset, int endOffset) const override;
  [[nodiscard]] int characterCount() const override;
  [[nodiscard]] QRect characterRect(int offset) const override;
  [[nodiscard]] int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;

  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  [[nodiscard]] QLineEdit* Box() const;
};

}  // namespace duct
