// The calculator window's controls as they stand at start: names, texts, geometry (pixels at
// 96 dots per inch), fonts, tab order and start state.

#include <QAccessibleWidget>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <limits>

#include "base/application_info.h"
#include "mainwindow/frame.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/text_box.h"
#include "windowlook/access_keys.h"
#include "windowlook/window_frame.h"
#include "windowlook/window_look.h"

namespace duct {
namespace {

template <typename Control>
Control* Named(Control* control, const char* name, const QRect& geometry, const QFont& font) {
  control->setObjectName(name);
  control->setGeometry(geometry);
  control->setFont(font);
  return control;
}

// A label that fits its text exactly, its top-left corner at `at`.
QLabel* FittedLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                    const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(font);
  label->move(at);
  label->adjustSize();
  return label;
}

// The caption's access key puts the focus into its field. Only with a buddy does the label take
// its ampersand for an access key rather than text, and fit the shorter text. Screen readers then
// name the field by its caption rather than by its own name, which carries the unit: the unit is
// its description, which they read after the field's text.
void Caption(QLabel* caption, QWidget* field) {
  caption->setBuddy(field);
  caption->adjustSize();
  field->setAccessibleDescription("毫米");
}

// A text box named for screen readers after its row's caption and its unit ("边长a(&a)：" reads
// "边长a（毫米）"); a box inside a frame would otherwise be read by the frame's caption.
TextBox* TextField(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                   bool locked, const QString& caption) {
  auto* field = Named(new TextBox(parent), name, geometry, font);
  field->setAccessibleName(caption.left(caption.indexOf("(&")) + "（毫米）");
  field->setMaxLength(std::numeric_limits<int>::max());  // no length limit on pasted text
  field->WriteText(kPlaceholder);
  field->setReadOnly(locked);
  return field;
}

QRadioButton* Option(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                     const QFont& font) {
  return Named(new QRadioButton(text, parent), name, geometry, font);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    const QFont& font) {
  auto* button = Named(new QPushButton(text, parent), name, geometry, font);
  button->setAutoDefault(true);  // Enter clicks the button that has the focus
  return button;
}

// Screen readers take a plain top-level widget for a filler; the calculator is a window, which
// they announce by its caption.
QAccessibleInterface* AccessibleWindow(const QString& className, QObject* object) {
  auto* window = qobject_cast<FrmMain*>(object);
  return window != nullptr && className == FrmMain::staticMetaObject.className()
             ? new QAccessibleWidget(window, QAccessible::Window)
             : nullptr;
}

}  // namespace

void FrmMain::BuildControls() {
  QAccessible::installFactory(AccessibleWindow);  // Qt keeps a factory once, however often asked
  setObjectName("FrmMain");
  setWindowTitle(kApplicationTitle);
  setWindowIcon(ApplicationIcon());
  // The fixed-size hint gives the thin fixed frame on Windows; X11 gets its frame by request.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(448, 281);
  RequestFrame(*this, {.minimizeButton = true});
  setFont(WindowDefaultFont());

  const QFont song = SongTiFont(12);
  const QFont heading = SongTiFont(14.25, true);
  const QFont windowDefault = WindowDefaultFont();

  // The labels are never touched again; they keep their names as object names.
  auto* label3 = FittedLabel(this, "Label3", "当量直径计算程序", {24, 24}, heading);
  QPalette highlighted = label3->palette();
  highlighted.setColor(QPalette::WindowText, highlighted.color(QPalette::Highlight));
  label3->setPalette(highlighted);

  // Controls are made in reading order, row by row in each column and frame: screen readers
  // list them in that order.
  auto* forward = Option(this, "Option1(0)", "由方管边长算当量直径(&D)", {16, 64, 209, 33}, song);
  auto* reverse = Option(this, "Option1(1)", "由当量直径算方管边长(&F)", {16, 96, 209, 33}, song);
  Option1.SetButtons(forward, reverse);
  Option1[0]->setChecked(true);

  CmdStart = Button(this, "CmdStart", "计   算(&S)", {24, 152, 109, 30}, song);
  CmdStart->setAutoDefault(false);  // stays the default button while others take the focus
  CmdStart->setDefault(true);
  CmdAbout = Button(this, "CmdAbout", "关于...(&O)", {24, 192, 109, 30}, song);
  CmdQuit = Button(this, "CmdQuit", "退   出(&C)", {24, 232, 109, 30}, song);

  Frame1 = Named(new Frame("输入", this), "Frame1", {232, 16, 201, 121}, song);
  FittedLabel(Frame1, "Label2(0)", "请输入矩形边长", {24, 24}, song);
  Command1 = Button(Frame1, "Command1", "清零", {152, 24, 37, 19}, windowDefault);
  Command1->setAccessibleDescription("清除边长a和边长b");  // both buttons read "清零"
  const QString sideA = "边长a(&a)：";
  auto* captionA = FittedLabel(Frame1, "Label1(0)", sideA, {8, 51}, song);
  TxtA[0] = TextField(Frame1, "TxtA(0)", {88, 48, 81, 24}, song, false, sideA);
  Caption(captionA, TxtA[0]);
  FittedLabel(Frame1, "Label1(2)", "mm", {176, 51}, song);
  const QString sideB = "边长b(&b)：";
  auto* captionB = FittedLabel(Frame1, "Label1(1)", sideB, {8, 83}, song);
  TxtA[1] = TextField(Frame1, "TxtA(1)", {88, 80, 81, 24}, song, false, sideB);
  Caption(captionB, TxtA[1]);
  FittedLabel(Frame1, "Label1(3)", "mm", {176, 83}, song);

  Frame2 = Named(new Frame("输出", this), "Frame2", {156, 144, 277, 121}, song);
  FittedLabel(Frame2, "Label2(1)", "当量直径流速/流量直径", {24, 24}, song);
  Command2 = Button(Frame2, "Command2", "清零", {227, 24, 37, 19}, windowDefault);
  Command2->setAccessibleDescription("清除两个当量直径");
  const QString velocity = "流速当量直径(&V)：";
  auto* givenVelocity = Option(Frame2, "Option2(0)", velocity, {8, 50, 157, 20}, song);
  TxtD[0] = TextField(Frame2, "TxtD(0)", {164, 48, 81, 24}, song, true, velocity);
  FittedLabel(Frame2, "Label1(6)", "mm", {251, 51}, song);
  const QString flow = "流量当量直径(&Q)：";
  auto* givenFlow = Option(Frame2, "Option2(1)", flow, {8, 82, 157, 20}, song);
  TxtD[1] = TextField(Frame2, "TxtD(1)", {164, 80, 81, 24}, song, true, flow);
  FittedLabel(Frame2, "Label1(7)", "mm", {251, 80}, song);
  Option2.SetButtons(givenVelocity, givenFlow);

  new AccessKeys(*this);
  TxtA[0]->setFocus();
}

void FrmMain::SetTabOrder() {
  const std::array<QWidget*, 13> order = {TxtA[0],    TxtA[1],  Option2[0], Option2[1], Option1[0],
                                          Option1[1], CmdStart, CmdAbout,   CmdQuit,    TxtD[0],
                                          TxtD[1],    Command1, Command2};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    setTabOrder(order[i], order[i + 1]);
  }
}

}  // namespace duct
