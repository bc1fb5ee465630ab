#pragma once

#include <QWidget>
#include <QtGlobal>
#include <array>

#include "alert_sound.h"
#include "calculation_state.h"
#include "message_box_service.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace duct {

class TextBox;

// The calculator window. It keeps its interaction state in its controls; the numbers of the
// calculate command live in a CalculationState owned by the caller, so that they outlive the
// window. Controls carry their names as object names ("TxtA(0)", "CmdStart", ...).
class FrmMain : public QWidget {
  Q_OBJECT

 public:
  FrmMain(CalculationState& state, MessageBoxService& messages, AlertSound& alert,
          QWidget* parent = nullptr);

 signals:
  // "关于...(&O)" was pressed.
  void AboutRequested();
  // "退   出(&C)" or Escape: the window has closed and the program is to end.
  void QuitRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

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

  CalculationState& state_;
  MessageBoxService& messages_;
  AlertSound& alert_;

  std::array<QRadioButton*, 2> Option1{};
  QPushButton* CmdStart = nullptr;
  QPushButton* CmdAbout = nullptr;
  QPushButton* CmdQuit = nullptr;

  QGroupBox* Frame1 = nullptr;
  std::array<TextBox*, 2> TxtA{};
  QPushButton* Command1 = nullptr;

  QGroupBox* Frame2 = nullptr;
  std::array<QRadioButton*, 2> Option2{};
  std::array<TextBox*, 2> TxtD{};
  QPushButton* Command2 = nullptr;
};

}  // namespace duct
