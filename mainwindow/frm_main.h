#pragma once

#include <QWidget>
#include <QtGlobal>
#include <array>

#include "base/message_box.h"
#include "calc/calculate_command.h"
#include "calc/calculation_state.h"
#include "mainwindow/alert_sound.h"
#include "mainwindow/option_pair.h"

class QPushButton;

namespace duct {

class Frame;
class TextBox;

// The calculator window. It keeps its interaction state in its controls; the numbers of the
// calculate command live in a CalculationState owned by the caller, so that they outlive the
// window. Controls carry their names as object names ("TxtA(0)", "CmdStart", ...).
class FrmMain : public QWidget {
  Q_OBJECT

 public:
  FrmMain(CalculationState& state, MessageBoxService& messages, AlertSound& alert,
          QWidget* parent = nullptr);

  // What the option buttons say, for the handlers and the calculate command alike.
  [[nodiscard]] Direction CurrentDirection() const;
  [[nodiscard]] GivenDiameter CurrentGivenDiameter() const;

 signals:
  // "关于...(&O)" was pressed.
  void AboutRequested();
  // "退   出(&C)" or Escape: the window has closed and the program is to end.
  void QuitRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void BuildControls();
  void SetTabOrder();
  void ConnectHandlers();

  void CmdStart_Click();
  void CmdAbout_Click();
  void CmdQuit_Click();
  void Command1_Click();
  void Command2_Click();
  void Option1_Click(qint16 index);
  void Option2_Click(qint16 index);
  void TxtA_GotFocus(qint16 index);
  void TxtD_GotFocus(qint16 index);
  void TxtA_KeyPress(qint16 index, qint16& keyAscii);
  void TxtD_KeyPress(qint16 index, qint16& keyAscii);
  void RefuseNonNumericKey(qint16& keyAscii);

  [[nodiscard]] TextBox* FieldBox(Field field) const;

  CalculationState& state_;
  MessageBoxService& messages_;
  AlertSound& alert_;

  OptionPair Option1;
  QPushButton* CmdStart = nullptr;
  QPushButton* CmdAbout = nullptr;
  QPushButton* CmdQuit = nullptr;

  Frame* Frame1 = nullptr;
  std::array<TextBox*, 2> TxtA{};
  QPushButton* Command1 = nullptr;

  Frame* Frame2 = nullptr;
  OptionPair Option2;
  std::array<TextBox*, 2> TxtD{};
  QPushButton* Command2 = nullptr;
};

}  // namespace duct
