#pragma once

#include <QLineEdit>
#include <QtGlobal>
#include <functional>

namespace duct {

// A single-line text box with two hooks for its window:
// - every typed character, whether from a key or an input method, goes to a key-press handler
//   first, as a 16-bit signed code that the handler may set to 0 to discard the character: Ctrl
//   with a letter types a control character, so the handler sees Ctrl+V before the line edit
//   pastes (keys that type nothing go straight to the line edit: arrows, Home, End, Delete, and
//   Shift+Insert, Ctrl+Insert and Shift+Delete, which paste, copy and cut as in any edit control;
//   Enter and Escape are left to the window);
// - GotFocus() is raised when the focus arrives from another control, by any route; a mouse
//   click that brings the focus keeps whatever selection the handler of GotFocus() made, unless
//   the press went on into a drag.
// Text that arrives other than by typing (a paste by any route, a drop, a screen reader's edit) is
// taken up to its first line break or tab, so that a row of cells copied from a spreadsheet
// brings its first cell. A locked (read-only) box takes no text from the user by any route. The
// context menu, which Shift+F10 opens as the Menu key does, lists no shortcuts, as the ones Qt
// would list (Ctrl+C, Ctrl+V, ...) reach the handler as characters; a text wider than the box
// shows whole in its tooltip. No input method comes between the keyboard and the box: keys type
// digits and the point whatever its mode.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  using KeyPressHandler = std::function<void(qint16& keyAscii)>;

  explicit TextBox(QWidget* parent = nullptr);

  void SetKeyPressHandler(KeyPressHandler handler);

  using QLineEdit::inputMethodQuery;
  [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  // Sets a text of the program's own (a result, the placeholder) and shows it from its first
  // character: a number wider than the box, shown by its tail, would read as another number.
  void WriteText(const QString& text);

 signals:
  void GotFocus();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void TextChanged(const QString& text);
  void ShowWholeTextWhereItDoesNotFit(const QString& text);
  void OpenContextMenuAtCaret();

  // Runs the handler; true when the character is to be kept.
  bool AcceptCharacter(qint16 keyAscii);
  // The characters of `typed` that the handler keeps.
  QString AcceptedCharacters(const QString& typed);

  KeyPressHandler keyPressHandler_;
  // What the box shows by right: what the user typed while it was unlocked, or what the program
  // wrote.
  QString keptText_;
  // The focus went to another window or a popup menu and will come back from there.
  bool focusAway_ = false;
  // The selection that GotFocus() left when the focus came with a mouse press, until the click
  // that brought it ends.
  bool focusedByMouse_ = false;
  bool clickBroughtFocus_ = false;
  int selectionStartOnFocus_ = -1;
  int selectionLengthOnFocus_ = 0;
};

}  // namespace duct
