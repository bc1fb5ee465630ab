#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>

#include "application_info.h"
#include "frm_main_fixture.h"

namespace duct {
namespace {

enum class Look { Song12, Heading, WindowDefault };

struct ControlRow {
  const char* name;
  const char* kind;
  const char* container;
  QString text;
  QRect geometry;  // pixels; for labels sized to their text only the top-left corner counts
  Look look;
};

void PrintTo(const ControlRow& row, std::ostream* out) { *out << row.name; }

const auto kBlank = QStringLiteral("(空白)");

class ControlTableTest : public FrmMainTest, public testing::WithParamInterface<ControlRow> {};

QString ShownText(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  return {};
}

TEST_P(ControlTableTest, StandsWhereTheTableSaysWithItsTextAndFont) {
  const ControlRow& row = GetParam();
  auto* control = Find<QWidget>(row.name);
  ASSERT_NE(control, nullptr);
  EXPECT_TRUE(control->inherits(row.kind));
  EXPECT_EQ(control->parentWidget()->objectName(), row.container);
  EXPECT_EQ(ShownText(control), row.text);
  if (qobject_cast<QLabel*>(control)) {
    EXPECT_EQ(control->pos(), row.geometry.topLeft());
    EXPECT_EQ(control->size(), control->sizeHint()) << "sized to its text";
  } else {
    EXPECT_EQ(control->geometry(), row.geometry);
  }
  const QFont font = control->font();
  switch (row.look) {
    case Look::WindowDefault:
      EXPECT_EQ(font.toString(), QApplication::font().toString());
      break;
    case Look::Song12:
    case Look::Heading:
      EXPECT_EQ(font.families().value(0), "宋体");
      EXPECT_EQ(font.pointSizeF(), row.look == Look::Heading ? 14.25 : 12.0);
      EXPECT_EQ(font.bold(), row.look == Look::Heading);
      EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
      // Whatever stands in for 宋体 must show Simplified Chinese.
      EXPECT_TRUE(QFontDatabase::families(QFontDatabase::SimplifiedChinese)
                      .contains(QFontInfo(font).family()))
          << QFontInfo(font).family().toStdString();
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Window, ControlTableTest,
    testing::Values(
        ControlRow{"Label1(0)", "QLabel", "Frame1", "边长a(&a)：", {8, 51, 80, 16}, Look::Song12},
        ControlRow{"TxtA(0)", "QLineEdit", "Frame1", kBlank, {88, 48, 81, 24}, Look::Song12},
        ControlRow{"Label1(1)", "QLabel", "Frame1", "边长b(&b)：", {8, 83, 80, 16}, Look::Song12},
        ControlRow{"TxtA(1)", "QLineEdit", "Frame1", kBlank, {88, 80, 81, 24}, Look::Song12},
        ControlRow{"Option2(0)",
                   "QRadioButton",
                   "Frame2",
                   "流速当量直径(&V)：",
                   {8, 50, 157, 20},
                   Look::Song12},
        ControlRow{"Option2(1)",
                   "QRadioButton",
                   "Frame2",
                   "流量当量直径(&Q)：",
                   {8, 82, 157, 20},
                   Look::Song12},
        ControlRow{"Option1(0)",
                   "QRadioButton",
                   "FrmMain",
                   "由方管边长算当量直径(&D)",
                   {16, 64, 209, 33},
                   Look::Song12},
        ControlRow{"Option1(1)",
                   "QRadioButton",
                   "FrmMain",
                   "由当量直径算方管边长(&F)",
                   {16, 96, 209, 33},
                   Look::Song12},
        ControlRow{
            "CmdStart", "QPushButton", "FrmMain", "计   算(&S)", {24, 152, 109, 30}, Look::Song12},
        ControlRow{
            "CmdAbout", "QPushButton", "FrmMain", "关于...(&O)", {24, 192, 109, 30}, Look::Song12},
        ControlRow{
            "CmdQuit", "QPushButton", "FrmMain", "退   出(&C)", {24, 232, 109, 30}, Look::Song12},
        ControlRow{"Frame1", "QGroupBox", "FrmMain", "输入", {232, 16, 201, 121}, Look::Song12},
        ControlRow{
            "Label2(0)", "QLabel", "Frame1", "请输入矩形边长", {24, 24, 112, 16}, Look::Song12},
        ControlRow{"Label1(2)", "QLabel", "Frame1", "mm", {176, 51, 16, 16}, Look::Song12},
        ControlRow{"Label1(3)", "QLabel", "Frame1", "mm", {176, 83, 16, 16}, Look::Song12},
        ControlRow{
            "Label3", "QLabel", "FrmMain", "当量直径计算程序", {24, 24, 161, 19}, Look::Heading},
        ControlRow{"Frame2", "QGroupBox", "FrmMain", "输出", {156, 144, 277, 121}, Look::Song12},
        ControlRow{"Label2(1)",
                   "QLabel",
                   "Frame2",
                   "当量直径流速/流量直径",
                   {24, 24, 168, 16},
                   Look::Song12},
        ControlRow{"Label1(6)", "QLabel", "Frame2", "mm", {251, 51, 16, 16}, Look::Song12},
        ControlRow{"Label1(7)", "QLabel", "Frame2", "mm", {251, 80, 16, 16}, Look::Song12},
        ControlRow{"TxtD(0)", "QLineEdit", "Frame2", kBlank, {164, 48, 81, 24}, Look::Song12},
        ControlRow{"TxtD(1)", "QLineEdit", "Frame2", kBlank, {164, 80, 81, 24}, Look::Song12},
        ControlRow{
            "Command1", "QPushButton", "Frame1", "清零", {152, 24, 37, 19}, Look::WindowDefault},
        ControlRow{
            "Command2", "QPushButton", "Frame2", "清零", {227, 24, 37, 19}, Look::WindowDefault}),
    [](const testing::TestParamInfo<ControlRow>& info) {
      return QString(info.param.name).remove('(').remove(')').toStdString();
    });

TEST_F(FrmMainTest, WindowIsAFixedSizeCalculatorWithTitleAndIcon) {
  EXPECT_EQ(window_->objectName(), "FrmMain");
  EXPECT_EQ(window_->windowTitle(), kApplicationTitle);
  EXPECT_EQ(window_->size(), QSize(448, 281));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  const auto flags = window_->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  const auto sizes = window_->windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST_F(FrmMainTest, HeadingUsesTheHighlightColour) {
  const auto* heading = Find<QLabel>("Label3");
  EXPECT_EQ(heading->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::Highlight));
}

// Texts sized to their font must stay inside their frame and not run into the controls beside
// them.
TEST_F(FrmMainTest, LabelsFitTheirContainerAndOverlapNoOtherControl) {
  for (auto* label : window_->findChildren<QLabel*>()) {
    EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()))
        << label->objectName().toStdString();
    for (auto* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != label) {
        EXPECT_FALSE(label->geometry().intersects(other->geometry()))
            << label->objectName().toStdString() << " overlaps "
            << other->objectName().toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace duct
