#include "about/frm_about.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "about/contact_lines.h"
#include "about/sys_info.h"
#include "base/application_info.h"
#include "windowlook/access_keys.h"
#include "windowlook/window_frame.h"
#include "windowlook/window_look.h"

namespace duct {
namespace {

const QString kDescription =
    QStringLiteral("说明:该程序用于计算方管的当量直径。欢迎使用者提出意见和建议。\n");
const QString kDisclaimer =
    QStringLiteral("本程序按原样提供，计算结果仅供参考，使用者须自行核对并承担使用后果。");

template <typename Control>
Control* Named(Control* control, const char* name, const QRect& geometry) {
  control->setObjectName(name);
  control->setGeometry(geometry);
  return control;
}

QLabel* Label(QWidget* parent, const char* name, const QRect& geometry) {
  auto* label = Named(new QLabel(parent), name, geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// The dialog draws texts in black and dark blue and a grey and white groove, colours made for a
// light window: under a dark desktop theme it keeps a light palette of its own, the 3D face of
// Windows' standard colours.
QPalette LightPalette() { return {QColor(240, 240, 240)}; }

void SetTextColour(QWidget* control, const QColor& colour) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::WindowText, colour);
  control->setPalette(palette);
}

}  // namespace

frmAbout::frmAbout(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages,
                   QWidget* parent)
    : QDialog(parent), registry_(registry), launcher_(launcher), messages_(messages) {
  BuildControls();
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  // Every way of closing a dialog (its buttons, Enter, Escape, the title bar, close()) ends in
  // finished().
  connect(this, &QDialog::finished, this, &frmAbout::Form_Unload);
  Form_Load();
}

void frmAbout::BuildControls() {
  setObjectName("frmAbout");
  // A plain window for Qt, which would tie an ownerless dialog to the program's other windows
  // (X11 window managers then keep it above the main window); the frame request gives it a
  // dialog's frame there, and the fixed-size hint the thin dialog frame on Windows.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowIcon(ApplicationIcon());
  setFixedSize(382, 237);
  setPalette(LightPalette());
  RequestFrame(*this, {.dialog = true, .offTaskBar = true});
  setFont(WindowDefaultFont());

  // Made in reading order, the emblem and the texts before the buttons: screen readers list
  // the controls in that order.
  Image1 = Named(new QLabel(this), "Image1", {24, 24, 51, 51});
  Image1->setPixmap(AboutEmblem());
  Image1->setScaledContents(true);
  Image1->setAccessibleName("方管与其当量圆管");  // what the emblem shows, for a screen reader
  lblTitle = Label(this, "lblTitle", {104, 16, 259, 32});
  lblVersion = Label(this, "lblVersion", {104, 52, 259, 15});
  Label1 = Named(new QLabel("暖通小工具", this), "Label1", {8, 88, 80, 16});
  Label1->setFont(ChineseFont({"幼圆", "YouYuan", "Noto Sans CJK SC"}, 12));
  SetTextColour(Label1, QColor(0, 0, 192));
  Label1->adjustSize();
  lblDescription = Label(this, "lblDescription", {104, 72, 259, 70});
  lblDescription->setWordWrap(true);
  lblDescription->setText(kDescription + ContactLines());
  lblDisclaimer = Label(this, "lblDisclaimer", {17, 176, 234, 55});
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setText(kDisclaimer);
  for (auto* black : {lblDescription, lblDisclaimer, lblTitle}) {
    SetTextColour(black, Qt::black);
  }

  cmdOK = Named(new QPushButton("确定(&O)", this), "cmdOK", {275, 175, 100, 23});
  cmdOK->setDefault(true);
  cmdSysInfo = Named(new QPushButton("系统信息(&S)...", this), "cmdSysInfo", {276, 205, 99, 23});

  setTabOrder(cmdOK, cmdSysInfo);
  new AccessKeys(*this);
  cmdOK->setFocus();
}

// The etched groove between the texts and the buttons, grey over white: painted, not made of
// controls, so that screen readers do not list the lines as unnamed objects.
void frmAbout::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(6, 163, 372, 1, QColor(128, 128, 128));  // Line1(1)
  painter.fillRect(7, 164, 371, 2, Qt::white);              // Line1(0)
}

void frmAbout::Form_Load() {
  setWindowTitle(QStringLiteral("关于 ") + kApplicationTitle);
  lblVersion->setText(
      QStringLiteral("版本 %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
  lblTitle->setText(kApplicationTitle);
}

void frmAbout::Form_Unload() { emit Unloaded(); }

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(registry_, launcher_, messages_); }

}  // namespace duct
