#include "frm_main.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "calculate_command.h"
#include "calculator_fields.h"
#include "text_box.h"

namespace duct {
namespace {

constexpr auto kPlaceholder = "(空白)";

// The window's fields and options as the calculate command sees them.
class WindowFields final : public CalculatorFields {
 public:
  WindowFields(const std::array<TextBox*, 2>& txtA, const std::array<TextBox*, 2>& txtD,
               const QRadioButton& forward, const QRadioButton& velocityGiven)
      : txtA_(txtA), txtD_(txtD), forward_(forward), velocityGiven_(velocityGiven) {}

  [[nodiscard]] bool IsForwardDirection() const override { return forward_.isChecked(); }
  [[nodiscard]] bool IsVelocityDiameterGiven() const override { return velocityGiven_.isChecked(); }
  [[nodiscard]] std::string Text(Field field) const override {
    return Box(field)->text().toStdString();
  }
  void SetText(Field field, std::string_view utf8Text) override {
    Box(field)->setText(
        QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
  }

 private:
  [[nodiscard]] TextBox* Box(Field field) const {
    switch (field) {
      case Field::TxtA0:
        return txtA_[0];
      case Field::TxtA1:
        return txtA_[1];
      case Field::TxtD0:
        return txtD_[0];
      case Field::TxtD1:
        break;
    }
    return txtD_[1];
  }

  const std::array<TextBox*, 2>& txtA_;
  const std::array<TextBox*, 2>& txtD_;
  const QRadioButton& forward_;
  const QRadioButton& velocityGiven_;
};

// An exclusive option button will not clear itself; exclusivity is lifted for the moment.
void Clear(QRadioButton* option) {
  option->setAutoExclusive(false);
  option->setChecked(false);
  option->setAutoExclusive(true);
}

void SelectWholeText(TextBox* box) { box->setSelection(0, static_cast<int>(box->text().size())); }

}  // namespace

FrmMain::FrmMain(CalculationState& state, MessageBoxService& messages, AlertSound& alert,
                 QWidget* parent)
    : QWidget(parent), state_(state), messages_(messages), alert_(alert) {
  BuildControls();
  SetTabOrder();
  ConnectHandlers();
}

void FrmMain::ConnectHandlers() {
  connect(CmdStart, &QPushButton::clicked, this, &FrmMain::CmdStart_Click);
  connect(CmdAbout, &QPushButton::clicked, this, &FrmMain::CmdAbout_Click);
  connect(CmdQuit, &QPushButton::clicked, this, &FrmMain::CmdQuit_Click);
  connect(Command1, &QPushButton::clicked, this, &FrmMain::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmMain::Command2_Click);
  for (qint16 index = 0; index < 2; ++index) {
    // An option's click event is its becoming selected, by the user or by code.
    connect(Option1[index], &QRadioButton::toggled, this, [this, index](bool selected) {
      if (selected) {
        Option1_Click(index);
      }
    });
    connect(Option2[index], &QRadioButton::toggled, this, [this, index](bool selected) {
      if (selected) {
        Option2_Click(index);
      }
    });
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

void FrmMain::CmdStart_Click() {
  WindowFields fields(TxtA, TxtD, *Option1[0], *Option2[0]);
  duct::CmdStart_Click(fields, messages_, state_);
}

void FrmMain::CmdAbout_Click() { emit AboutRequested(); }

void FrmMain::CmdQuit_Click() {
  close();
  emit QuitRequested();
}

void FrmMain::Command1_Click() {
  TxtA[0]->setText(kPlaceholder);
  TxtA[1]->setText(kPlaceholder);
  CmdStart->setFocus();
}

void FrmMain::Command2_Click() {
  TxtD[0]->setText(kPlaceholder);
  TxtD[1]->setText(kPlaceholder);
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
    Clear(Option2[0]);
    Clear(Option2[1]);
    Frame1->setTitle("输入");
    Frame2->setTitle("输出");
  }
}

void FrmMain::Option2_Click(qint16 index) {
  if (Option1[1]->isChecked()) {
    TxtD[index]->setFocus();  // its got-focus handling selects the text
  } else {
    Clear(Option2[index]);  // no given diameter in the forward direction
  }
}

void FrmMain::TxtA_GotFocus(qint16 index) {
  // Side b is the locked result in the reverse direction: its selection is left alone.
  if (!(index == 1 && Option1[1]->isChecked())) {
    SelectWholeText(TxtA[index]);
  }
}

void FrmMain::TxtD_GotFocus(qint16 index) {
  if (Option1[1]->isChecked()) {
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
