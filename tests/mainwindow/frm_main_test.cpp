// The calculator window as users see and edit it: every control in its place and font, the key
// filter over every character, and the fields' pastes, menu, tooltips and screen-reader edits.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "app/toolkit_texts.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/text_box.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/layout_checks.h"
#include "tests/support/print_qt.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

const QStringList kFields = {"TxtA(0)", "TxtA(1)", "TxtD(0)", "TxtD(1)"};

// The window shown and active, with Qt's own texts in Chinese, as the program has them.
class FrmMainTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InstallChineseToolkitTexts(*qApp)); }
  void SetUp() override {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  QWidget* Find(const QString& name) const { return window_->findChild<QWidget*>(name); }
  QLineEdit* FieldEdit(int i) const { return window_->findChild<QLineEdit*>(kFields[i]); }

  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
  std::unique_ptr<FrmMain> window_ = std::make_unique<FrmMain>(messages_, alert_);
};

// The window as users must see it: every control in its place and font, every text whole and
// Chinese at any desktop font size, the heading in the highlight colour, each option button's
// whole box a button, and the window plain to a screen reader.
TEST_F(FrmMainTest, TheWindowAsUsersSeeIt) {
  // Labels are sized to their texts (in 宋体, 16 pixels a full-width character at 12 points).
  // clang-format off
  ExpectLayout([&] { return std::make_unique<FrmMain>(messages_, alert_); }, {
      {"Label1(0)", "Frame1", {8, 51, 0, 0}, 12}, {"TxtA(0)", "Frame1", {88, 48, 81, 24}, 12},
      {"Label1(1)", "Frame1", {8, 83, 0, 0}, 12}, {"TxtA(1)", "Frame1", {88, 80, 81, 24}, 12},
      {"Option2(0)", "Frame2", {8, 50, 157, 20}, 12}, {"Option2(1)", "Frame2", {8, 82, 157, 20}, 12},
      {"Option1(0)", "FrmMain", {16, 64, 209, 33}, 12}, {"Option1(1)", "FrmMain", {16, 96, 209, 33}, 12},
      {"CmdStart", "FrmMain", {24, 152, 109, 30}, 12}, {"CmdAbout", "FrmMain", {24, 192, 109, 30}, 12},
      {"CmdQuit", "FrmMain", {24, 232, 109, 30}, 12}, {"Frame1", "FrmMain", {232, 16, 201, 121}, 12},
      {"Label2(0)", "Frame1", {24, 24, 0, 0}, 12}, {"Label1(2)", "Frame1", {176, 51, 0, 0}, 12},
      {"Label1(3)", "Frame1", {176, 83, 0, 0}, 12}, {"Label3", "FrmMain", {24, 24, 0, 0}, 14.25, true},
      {"Frame2", "FrmMain", {156, 144, 277, 121}, 12}, {"Label2(1)", "Frame2", {24, 24, 0, 0}, 12},
      {"Label1(6)", "Frame2", {251, 51, 0, 0}, 12}, {"Label1(7)", "Frame2", {251, 80, 0, 0}, 12},
      {"TxtD(0)", "Frame2", {164, 48, 81, 24}, 12}, {"TxtD(1)", "Frame2", {164, 80, 81, 24}, 12},
      {"Command1", "Frame1", {152, 24, 37, 19}, 9}, {"Command2", "Frame2", {227, 24, 37, 19}, 9}});
  // clang-format on
  EXPECT_EQ(window_->size(), QSize(448, 281));
  // In 宋体's widths, which AR PL UMing keeps where 宋体 is missing (the tests run with it): 16
  // pixels a full-width character, 8 a Latin one ("边长a(a)：").
  EXPECT_EQ(Find("Label1(0)")->width(), 3 * 16 + 4 * 8);
  const QPalette heading = Find("Label3")->palette();
  EXPECT_EQ(heading.color(QPalette::WindowText), heading.color(QPalette::Highlight));
  // A click in a corner of the box, far from the circle and the caption.
  for (const char* name : {"Option1(1)", "Option2(1)", "Option2(0)", "Option1(0)"}) {
    auto* option = window_->findChild<QRadioButton*>(name);
    QTest::mouseClick(option, Qt::LeftButton, {}, {option->width() - 2, 1});
    EXPECT_TRUE(option->isChecked()) << name;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(option)->rect(),
              QRect(option->mapToGlobal(QPoint()), option->size()));
  }
  EXPECT_EQ(AccessibilityFaults(*window_, QAccessible::Window), "");
}

// Every character a key can type, into a field that takes text and into a locked one: digits,
// the point and Backspace pass, anything else sounds the alert once and changes nothing. Ctrl
// with a letter (copy, paste, cut, undo, select all) is refused whether or not the platform
// gives the key a character; an input method's text passes the same filter.
TEST_F(FrmMainTest, KeyFilterTakesDigitsThePointAndBackspaceOnly) {
  QApplication::clipboard()->setText("777");
  QString everything;  // but Backspace's character
  for (char16_t c = 1; c != 0; ++c) {
    everything.append(QChar::isSurrogate(c) || c == u'\b' ? QString() : QString(QChar(c)));
  }
  const QString passing = ".0123456789";
  for (auto* field : {FieldEdit(0), FieldEdit(2)}) {  // Dv is locked in the forward direction
    const QString kept = field->isReadOnly() ? "" : passing + passing + passing;
    qobject_cast<TextBox*>(field)->WriteText("");
    field->setFocus();
    const int alerts = alert_.count;
    for (const QChar c : everything) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c);
      QApplication::sendEvent(field, &press);
    }
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
      for (const QString& text : {QString(), QString(QChar(key - Qt::Key_A + 1))}) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(key), text, Qt::ControlModifier);
      }
    }
    QTest::keyClick(field, Qt::Key_Backspace, Qt::ControlModifier);
    // The 26 Ctrl+letters twice and Ctrl+Backspace, but Ctrl+H: it types Backspace's character.
    EXPECT_EQ(alert_.count - alerts, everything.size() - passing.size() + 51);
    QKeyEvent composeKey(QEvent::KeyPress, 0, Qt::NoModifier, passing);  // several characters
    QApplication::sendEvent(field, &composeKey);
    QInputMethodEvent composed;
    composed.setCommitString(everything);
    QApplication::sendEvent(field, &composed);
    EXPECT_EQ(field->text(), kept);
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete}) {
      QTest::keyClick(field, key);
    }
    EXPECT_EQ(field->text(), kept.mid(1, kept.size() - 2)) << field->objectName().toStdString();
  }
}

// The commands of a field's menu, opened by a right click or by Shift+F10 (then closed with
// Escape), and the one named carried out where the menu has it.
QStringList MenuCommands(QLineEdit* field, const QString& command = {}, bool byKey = false) {
  QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, field->mapToGlobal(QPoint(5, 5)));
  if (byKey) {
    QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
  } else {
    QApplication::sendEvent(field, &click);
  }
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  EXPECT_NE(menu, nullptr);
  QStringList commands;
  for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
    commands.append(action->text());
    if (action->text() == command) {
      action->trigger();
    }
  }
  if (menu && byKey) {
    QTest::keyClick(menu, Qt::Key_Escape);
  } else if (menu) {
    menu->close();
  }
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  return commands;
}

// A locked field shows its text, takes the focus and is copied, but nobody changes it, a screen
// reader's editing calls included; a field that takes text takes them too, as it takes a paste.
// A paste takes the text up to its first line break or tab, at the caret (a cell copied from a
// spreadsheet ends in a line break, a row's cells are parted by tabs). A text wider than its field
// shows whole in the field's tooltip. The fields' menu offers Qt's commands in Chinese, which work,
// and no shortcut, as the key filter refuses them all. No input method comes between the keys and a
// field, locked or not.
TEST_F(FrmMainTest, FieldsAsEditedReadAndCopied) {
  for (int i : {0, 1}) {
    FieldEdit(i)->selectAll();
    QTest::keyClicks(FieldEdit(i), "12345678");
  }
  QTest::keyClick(FieldEdit(1), Qt::Key_Return);  // the results are written into Dv and DL
  FieldEdit(0)->selectAll();
  QTest::keyClicks(FieldEdit(0), "9876543210.5");
  for (const auto& [i, whole] : {std::pair{0, true}, {1, false}, {2, true}, {3, true}}) {
    EXPECT_EQ(FieldEdit(i)->toolTip(), whole ? FieldEdit(i)->text() : "") << i;
  }

  FieldEdit(0)->selectAll();
  EXPECT_EQ(MenuCommands(FieldEdit(0), "复制(&C)").join(" "),
            "撤消(&U) 重做(&R)  剪切(&T) 复制(&C) 粘贴(&P) 删除  全选");
  EXPECT_EQ(QApplication::clipboard()->text(), "9876543210.5");

  for (const QString copied : {"500\r\n", "500\n", "500\nabc", "500\u2029\r\n7", "500\t400\r\n"}) {
    QApplication::clipboard()->setText(copied);
    for (const int route : {0, 1, 2}) {  // the menu by a click, by Shift+F10; Shift+Insert
      for (const int i : {0, 2}) {       // Dv is locked in the forward direction
        qobject_cast<TextBox*>(FieldEdit(i))->WriteText("12");
        FieldEdit(i)->setCursorPosition(1);
        if (route < 2) {
          EXPECT_EQ(MenuCommands(FieldEdit(i), "粘贴(&P)", route == 1).contains("粘贴(&P)"),
                    i == 0);
        } else {
          QTest::keyClick(FieldEdit(i), Qt::Key_Insert, Qt::ShiftModifier);
        }
        EXPECT_EQ(FieldEdit(i)->text(), i == 0 ? "15002" : "12") << copied.toStdString() << route;
        EXPECT_EQ(FieldEdit(i)->cursorPosition(), i == 0 ? 4 : 1);
      }
    }
  }
  EXPECT_TRUE(window_->isVisible()) << "Escape closed the window, not its menu";

  for (const bool reverse : {false, true}) {
    QTest::mouseClick(Find(reverse ? "Option1(1)" : "Option1(0)"), Qt::LeftButton);
    for (int i = 0; i < 4; ++i) {
      QInputMethodQueryEvent query(Qt::ImEnabled);  // as the platform's input method asks
      QApplication::sendEvent(FieldEdit(i), &query);
      EXPECT_FALSE(query.value(Qt::ImEnabled).toBool()) << i << reverse;
      const QString before = FieldEdit(i)->text();
      auto* reader = QAccessible::queryAccessibleInterface(FieldEdit(i));
      reader->editableTextInterface()->insertText(0, "7");
      reader->editableTextInterface()->replaceText(0, 1, "79");
      reader->editableTextInterface()->deleteText(0, 1);
      reader->setText(QAccessible::Value, reader->text(QAccessible::Value) + "99");
      const bool locked = i > 0 && (i == 1) == reverse;
      EXPECT_EQ(FieldEdit(i)->text(), locked ? before : "9" + before + "99") << i << reverse;
      EXPECT_EQ(reader->state().readOnly, locked);
    }
  }
}

}  // namespace
}  // namespace duct
