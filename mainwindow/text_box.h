#pragma once

#include <QLineEdit>
#include <QtGlobal>
#include <functional>

namespace duct {

// A single-line text box that reports when it receives the focus (after the line edit's own
// focus handling) and hands every typed character to a key-press handler first. The handler
// gets the character's code as a 16-bit signed integer and may set it to 0 to discard the
// character. Keys that type nothing (arrows, Home, End, Delete) go straight to the line edit;
// Enter and Escape are left to the window.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  using KeyPressHandler = std::function<void(qint16& keyAscii)>;

  explicit TextBox(QWidget* parent = nullptr);

  void SetKeyPressHandler(KeyPressHandler handler);

 signals:
  void GotFocus();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // Runs the handler; true when the character is to be kept.
  bool AcceptCharacter(qint16 keyAscii);

  KeyPressHandler keyPressHandler_;
};

}  // namespace duct
