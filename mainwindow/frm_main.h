#pragma once

#include <QWidget>
#include <QtGlobal>
#include <array>

#include "base/message_box.h"
#include "calc/calculate_command.h"
#include "mainwindow/alert_sound.h"
#include "mainwindow/option_pair.h"

class QPushButton;

namespace duct {

class Frame;
class TextBox;

// The calculator window. It keeps its interaction state in its controls. Controls carry their
// names as object names ("TxtA(0)", "CmdStart", ...).
class FrmMain : public QWidget {
  Q_OBJECT

 public:
  FrmMain(MessageBoxService& messages, AlertSound& alert, QWidget* parent = nullptr);

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

  MessageBoxService& messages_;
  AlertSound& alert_;

  // The controls keep the names of the window's design.
  OptionPair Option1;               // the direction: [0] forward (sides given), [1] reverse
  QPushButton* CmdStart = nullptr;  // "计   算(&S)", the default button: runs the calculation
  QPushButton* CmdAbout = nullptr;  // "关于...(&O)": opens the About dialog
  QPushButton* CmdQuit = nullptr;   // "退   出(&C)", the cancel button: ends the program

  Frame* Frame1 = nullptr;          // the frame of the sides, captioned "输入" going forward
  std::array<TextBox*, 2> TxtA{};   // side a [0] and side b [1]
  QPushButton* Command1 = nullptr;  // "清零" in Frame1: blanks both sides

  Frame* Frame2 = nullptr;          // the frame of the diameters, captioned "输出" going forward
  OptionPair Option2;               // the given diameter in reverse: [0] Dv, [1] DL
  std::array<TextBox*, 2> TxtD{};   // the velocity-equivalent [0] and flow-equivalent [1] diameter
  QPushButton* Command2 = nullptr;  // "清零" in Frame2: blanks both diameters
};

}  // namespace duct
