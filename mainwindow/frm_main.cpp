#include "mainwindow/frm_main.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "base/application_info.h"
#include "mainwindow/frame.h"
#include "mainwindow/text_box.h"

namespace duct {
namespace {

void SelectWholeText(TextBox* box) { box->setSelection(0, static_cast<int>(box->text().size())); }

// The calculate command's two messages as the window shows them.
Message Shown(CalculateMessage message) {
  if (message == CalculateMessage::InputError) {
    return {"参数输入错误!", MessageIcon::Information, "提醒"};
  }
  return {"方管两边长相差太大，请重输！", MessageIcon::None, kApplicationTitle};
}

}  // namespace

FrmMain::FrmMain(MessageBoxService& messages, AlertSound& alert, QWidget* parent)
    : QWidget(parent), messages_(messages), alert_(alert) {
  BuildControls();
  SetTabOrder();
  ConnectHandlers();
}

Direction FrmMain::CurrentDirection() const {
  return Option1[0]->isChecked() ? Direction::Forward : Direction::Reverse;
}

GivenDiameter FrmMain::CurrentGivenDiameter() const {
  switch (Option2.Selected().value_or(-1)) {
    case 0:
      return GivenDiameter::Velocity;
    case 1:
      return GivenDiameter::Flow;
    default:
      return GivenDiameter::None;
  }
}

void FrmMain::ConnectHandlers() {
  connect(CmdStart, &QPushButton::clicked, this, &FrmMain::CmdStart_Click);
  connect(CmdAbout, &QPushButton::clicked, this, &FrmMain::CmdAbout_Click);
  connect(CmdQuit, &QPushButton::clicked, this, &FrmMain::CmdQuit_Click);
  connect(Command1, &QPushButton::clicked, this, &FrmMain::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmMain::Command2_Click);
  connect(&Option1, &OptionPair::Clicked, this, &FrmMain::Option1_Click);
  connect(&Option2, &OptionPair::Clicked, this, &FrmMain::Option2_Click);
  for (qint16 index = 0; index < 2; ++index) {
    connect(TxtA[index], &TextBox::GotFocus, this, [this, index] { TxtA_GotFocus(index); });
    connect(TxtD[index], &TextBox::GotFocus, this, [this, index] { TxtD_GotFocus(index); });
    TxtA[index]->SetKeyPressHandler([this, index](qint16& key) { TxtA_KeyPress(index, key); });
    TxtD[index]->SetKeyPressHandler([this, index](qint16& key) { TxtD_KeyPress(index, key); });
  }
}

// Enter and Escape that no control took: the default and the cancel button.
void FrmMain::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CmdStart->click();
      return;
    case Qt::Key_Escape:
      CmdQuit->click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool FrmMain::focusNextPrevChild(bool next) {
  const QWidget* focus = focusWidget();
  Option1.MarkTabStop(focus);
  Option2.MarkTabStop(focus);
  return QWidget::focusNextPrevChild(next);
}

TextBox* FrmMain::FieldBox(Field field) const {
  switch (field) {
    case Field::TxtA0:
      return TxtA[0];
    case Field::TxtA1:
      return TxtA[1];
    case Field::TxtD0:
      return TxtD[0];
    case Field::TxtD1:
      break;
  }
  return TxtD[1];
}

void FrmMain::CmdStart_Click() {
  CalculatorInput input{CurrentDirection(), CurrentGivenDiameter(), {}};
  for (const Field field : {Field::TxtA0, Field::TxtA1, Field::TxtD0, Field::TxtD1}) {
    input.texts.at(static_cast<std::size_t>(field)) = FieldBox(field)->text().toStdString();
  }
  const CalculateResult result = Calculate(input);
  for (const auto& [field, text] : result.writes) {
    FieldBox(field)->WriteText(QString::fromStdString(text));
  }
  if (result.message) {
    messages_.Show(Shown(*result.message));
  }
}

void FrmMain::CmdAbout_Click() { emit AboutRequested(); }

void FrmMain::CmdQuit_Click() {
  close();
  emit QuitRequested();
}

void FrmMain::Command1_Click() {
  TxtA[0]->WriteText(kPlaceholder);
  TxtA[1]->WriteText(kPlaceholder);
  CmdStart->setFocus();
}

void FrmMain::Command2_Click() {
  TxtD[0]->WriteText(kPlaceholder);
  TxtD[1]->WriteText(kPlaceholder);
  CmdStart->setFocus();
}

void FrmMain::Option1_Click(qint16 index) {
  if (index == 1) {
    TxtA[1]->setReadOnly(true);
    TxtD[0]->setReadOnly(false);
    TxtD[1]->setReadOnly(false);
    Frame1->setTitle({});
    Frame2->setTitle({});
  } else {
    TxtA[1]->setReadOnly(false);
    TxtD[0]->setReadOnly(true);
    TxtD[1]->setReadOnly(true);
    Option2.Clear();
    Frame1->setTitle("输入");
    Frame2->setTitle("输出");
  }
}

void FrmMain::Option2_Click(qint16 index) {
  if (CurrentDirection() == Direction::Reverse) {
    TxtD[index]->setFocus();  // its got-focus handling selects the text
  } else {
    Option2.Clear();  // no given diameter in the forward direction
  }
}

void FrmMain::TxtA_GotFocus(qint16 index) {
  // Side b is the locked result in the reverse direction: its selection is left alone.
  if (!(index == 1 && CurrentDirection() == Direction::Reverse)) {
    SelectWholeText(TxtA[index]);
  }
}

void FrmMain::TxtD_GotFocus(qint16 index) {
  if (CurrentDirection() == Direction::Reverse) {
    SelectWholeText(TxtD[index]);
    Option2[index]->setChecked(true);
  }
}

void FrmMain::TxtA_KeyPress(qint16 /*index*/, qint16& keyAscii) { RefuseNonNumericKey(keyAscii); }

void FrmMain::TxtD_KeyPress(qint16 /*index*/, qint16& keyAscii) { RefuseNonNumericKey(keyAscii); }

// Digits, the point and Backspace pass; anything else sounds the alert and is discarded.
void FrmMain::RefuseNonNumericKey(qint16& keyAscii) {
  const bool digit = keyAscii >= 48 && keyAscii <= 57;
  if (!(digit || keyAscii == 8 || keyAscii == 46)) {
    alert_.Play();
    keyAscii = 0;
  }
}

}  // namespace duct
