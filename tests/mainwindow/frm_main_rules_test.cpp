#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <functional>
#include <vector>

#include "calculate_command.h"
#include "frm_main_fixture.h"

namespace duct {
namespace {

const auto kBlank = QStringLiteral("(空白)");
const Message kInputError{"参数输入错误!", MessageIcon::Information, "提醒"};

void ExpectSelectedWholly(const QLineEdit* field) {
  EXPECT_TRUE(field->hasSelectedText()) << field->objectName().toStdString();
  EXPECT_EQ(field->selectionStart(), 0);
  EXPECT_EQ(field->selectedText(), field->text());
}

TEST_F(FrmMainTest, OpensForwardWithSideASelected) {
  EXPECT_EQ(FocusName(), "TxtA(0)");
  ExpectSelectedWholly(Edit("TxtA(0)"));
  EXPECT_EQ(Edit("TxtA(0)")->selectedText(), kBlank);
  ExpectDirection(false);
  EXPECT_FALSE(AnyDiameterChosen());
}

TEST_F(FrmMainTest, ReverseUnlocksTheDiametersAndKeepsTheTexts) {
  TypeInto("TxtA(0)", "500");
  Reverse();
  ExpectDirection(true);
  EXPECT_FALSE(AnyDiameterChosen());
  EXPECT_EQ(Edit("TxtA(0)")->text(), "500");
  EXPECT_EQ(Edit("TxtD(0)")->text(), kBlank);
}

TEST_F(FrmMainTest, ForwardAgainClearsTheChosenDiameter) {
  Reverse();
  Click(Radio("Option2(1)"));
  ASSERT_TRUE(Radio("Option2(1)")->isChecked());
  QTest::keyClicks(Edit("TxtD(1)"), "884.5");
  Forward();
  ExpectDirection(false);
  EXPECT_FALSE(AnyDiameterChosen());
  EXPECT_EQ(Edit("TxtD(1)")->text(), "884.5");
}

TEST_F(FrmMainTest, ForwardRefusesAGivenDiameter) {
  for (const char* option : {"Option2(1)", "Option2(0)"}) {
    Click(Radio(option));
    EXPECT_FALSE(AnyDiameterChosen()) << option;
    EXPECT_EQ(FocusName(), option);
  }
  EXPECT_TRUE(Radio("Option1(0)")->isChecked());  // the other group is untouched
}

TEST_F(FrmMainTest, ReverseChoiceFocusesTheDiameterWithItsTextSelected) {
  Reverse();
  Click(Radio("Option2(0)"));
  EXPECT_EQ(FocusName(), "TxtD(0)");
  ExpectSelectedWholly(Edit("TxtD(0)"));
  EXPECT_TRUE(Radio("Option2(0)")->isChecked());
  EXPECT_TRUE(Radio("Option1(1)")->isChecked());  // the other group is untouched
}

TEST_F(FrmMainTest, ReverseTabIntoADiameterChoosesIt) {
  Reverse();
  Click(Radio("Option2(0)"));
  QTest::keyClick(Edit("TxtD(0)"), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "TxtD(1)");
  EXPECT_TRUE(Radio("Option2(1)")->isChecked());
  EXPECT_FALSE(Radio("Option2(0)")->isChecked());
  ExpectSelectedWholly(Edit("TxtD(1)"));
}

// Focus from code or the mouse, where the line edit itself selects nothing: what is selected
// is the handlers' doing.
TEST_F(FrmMainTest, SelectOnFocusFollowsTheDirection) {
  const auto focus = [this](const char* name) {
    Edit(name)->deselect();
    Edit(name)->setFocus(Qt::MouseFocusReason);
    return Edit(name)->hasSelectedText();
  };
  EXPECT_TRUE(focus("TxtA(1)"));
  EXPECT_FALSE(focus("TxtD(0)"));  // forward: a result field, no selection
  EXPECT_FALSE(Radio("Option2(0)")->isChecked());
  Reverse();
  EXPECT_TRUE(focus("TxtA(0)"));
  EXPECT_FALSE(focus("TxtA(1)"));  // reverse: side b is the result
  EXPECT_TRUE(focus("TxtD(1)"));
  EXPECT_TRUE(Radio("Option2(1)")->isChecked());
}

using KeyStrokes = std::function<void(QWidget*)>;

struct KeyCase {
  const char* name;
  const char* field;
  QString startText;
  KeyStrokes keys;
  QString expectedText;
  int expectedAlerts;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

KeyStrokes Typed(const char* text) {
  return [text](QWidget* w) { QTest::keyClicks(w, text); };
}
KeyStrokes Keys(const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>& keys) {
  return [keys](QWidget* w) {
    for (const auto& [key, modifiers] : keys) {
      QTest::keyClick(w, key, modifiers);
    }
  };
}
// A character from outside the keyboard's Latin keys, as a key press carries it.
KeyStrokes TypedCharacter(QChar character) {
  return [character](QWidget* w) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(character), Qt::NoModifier);
  };
}
// Text committed by an input method.
KeyStrokes Composed(const QString& text) {
  return [text](QWidget* w) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(w, &event);
  };
}

class KeyFilterTest : public FrmMainTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilterTest, LetsDigitsPointAndBackspaceThrough) {
  const KeyCase& c = GetParam();
  QApplication::clipboard()->setText("999");
  auto* field = Edit(c.field);
  field->setText(c.startText);
  field->setFocus(Qt::OtherFocusReason);
  field->deselect();
  field->end(false);
  c.keys(field);
  EXPECT_EQ(field->text(), c.expectedText);
  EXPECT_EQ(alert_.count, c.expectedAlerts);
  EXPECT_EQ(QApplication::clipboard()->text(), "999");  // copy and cut took nothing
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyFilterTest,
    testing::Values(
        KeyCase{"DigitsAndPoint", "TxtA(0)", "", Typed("12.5"), "12.5", 0},
        KeyCase{"MinusRefused", "TxtA(1)", "", Typed("-3"), "3", 1},
        KeyCase{"PointsAnywhere", "TxtA(0)", "", Typed("1.2.3"), "1.2.3", 0},
        KeyCase{"LetterIntoLockedField", "TxtD(0)", kBlank, Typed("x"), kBlank, 1},
        KeyCase{"DigitIntoLockedField", "TxtD(1)", kBlank, Typed("5"), kBlank, 0},
        KeyCase{"SignsBlanksCommaExponent", "TxtA(0)", "", Typed("+ ,eE-"), "", 6},
        KeyCase{"Backspace", "TxtA(0)", "123", Keys({{Qt::Key_Backspace, {}}}), "12", 0},
        KeyCase{"DeleteAndArrows", "TxtA(0)", "123",
                Keys({{Qt::Key_Home, {}},
                      {Qt::Key_Delete, {}},
                      {Qt::Key_Right, {}},
                      {Qt::Key_Delete, {}},
                      {Qt::Key_End, {}},
                      {Qt::Key_Left, {}},
                      {Qt::Key_4, {}}}),
                "42", 0},
        KeyCase{"CopyCutUndoPasteRefused", "TxtA(0)", "123",
                Keys({{Qt::Key_A, Qt::ControlModifier},  // select all is refused too
                      {Qt::Key_Home, Qt::ShiftModifier},
                      {Qt::Key_C, Qt::ControlModifier},
                      {Qt::Key_X, Qt::ControlModifier},
                      {Qt::Key_Z, Qt::ControlModifier},
                      {Qt::Key_V, Qt::ControlModifier}}),
                "123", 5},
        KeyCase{"PasteRefusedInSideB", "TxtA(1)", "1", Keys({{Qt::Key_V, Qt::ControlModifier}}),
                "1", 1},
        KeyCase{"PasteRefusedInLockedDiameter", "TxtD(0)", "1",
                Keys({{Qt::Key_V, Qt::ControlModifier}}), "1", 1},
        KeyCase{"PasteRefusedInFlowDiameter", "TxtD(1)", "1",
                Keys({{Qt::Key_V, Qt::ControlModifier}}), "1", 1},
        KeyCase{"FullWidthDigitRefused", "TxtA(0)", "", TypedCharacter(QChar(0xFF11)), "", 1},
        KeyCase{"ChineseCharacterRefused", "TxtA(0)", "", TypedCharacter(QChar(0x4E00)), "", 1},
        KeyCase{"ComposedTextFiltered", "TxtA(0)", "", Composed("１2.5米"), "2.5", 2}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

// Pasted text of any length reaches the calculate command whole, to be judged there.
TEST_F(FrmMainTest, FieldsTakeTextOfAnyLength) {
  const QString longNumber = "1" + QString(40000, '0');
  for (const char* name : {"TxtA(0)", "TxtA(1)", "TxtD(0)", "TxtD(1)"}) {
    Edit(name)->setText(longNumber);
    EXPECT_EQ(Edit(name)->text().size(), longNumber.size()) << name;
  }
}

TEST_F(FrmMainTest, EnterInAFieldCalculatesWithoutAlert) {
  QTest::keyClick(Edit("TxtA(0)"), Qt::Key_Return);
  EXPECT_EQ(messages_.shown, std::vector<Message>{kInputError});  // "(空白)" is no number
  EXPECT_EQ(alert_.count, 0);
  QTest::keyClick(Edit("TxtA(0)"), Qt::Key_Enter);
  EXPECT_EQ(messages_.shown.size(), 2U);
}

TEST_F(FrmMainTest, EnterOnAnotherButtonClicksThatButton) {
  QSignalSpy about(window_.get(), &FrmMain::AboutRequested);
  Button("CmdAbout")->setFocus();
  QTest::keyClick(Button("CmdAbout"), Qt::Key_Return);
  EXPECT_EQ(about.count(), 1);
  EXPECT_TRUE(messages_.shown.empty());

  Radio("Option1(1)")->setFocus();  // not a command button: the default button runs
  QTest::keyClick(Radio("Option1(1)"), Qt::Key_Return);
  EXPECT_EQ(messages_.shown.size(), 1U);
}

TEST_F(FrmMainTest, EscapeQuitsFromAnyControl) {
  for (const char* name : {"TxtD(0)", "Option1(0)", "CmdAbout"}) {
    window_->show();
    QSignalSpy quit(window_.get(), &FrmMain::QuitRequested);
    auto* control = Find<QWidget>(name);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_EQ(quit.count(), 1) << name;
    EXPECT_FALSE(window_->isVisible()) << name;
    EXPECT_EQ(alert_.count, 0);
  }
}

TEST_F(FrmMainTest, ClearButtonsBlankTheirFieldsAndFocusCalculate) {
  TypeInto("TxtA(0)", "500");
  TypeInto("TxtA(1)", "400");
  QTest::keyClick(Edit("TxtA(1)"), Qt::Key_Return);
  ASSERT_EQ(Edit("TxtD(1)")->text(), "493.8");

  Click(Button("Command2"));
  EXPECT_EQ(Edit("TxtD(0)")->text(), kBlank);
  EXPECT_EQ(Edit("TxtD(1)")->text(), kBlank);
  EXPECT_EQ(Edit("TxtA(0)")->text(), "500");
  EXPECT_TRUE(Edit("TxtD(0)")->isReadOnly());
  EXPECT_EQ(FocusName(), "CmdStart");

  Reverse();
  Click(Button("Command1"));
  EXPECT_EQ(Edit("TxtA(0)")->text(), kBlank);
  EXPECT_EQ(Edit("TxtA(1)")->text(), kBlank);
  EXPECT_TRUE(Edit("TxtA(1)")->isReadOnly());
  EXPECT_EQ(FocusName(), "CmdStart");
}

TEST_F(FrmMainTest, TabVisitsTheControlsInOrderAndWraps) {
  Reverse();
  Click(Radio("Option2(0)"));  // both groups have a selected member
  Edit("TxtA(0)")->setFocus(Qt::OtherFocusReason);
  QStringList visited;
  for (int i = 0; i < 12; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << FocusName();
  }
  // Qt's radio-group convention: Tab stops at the selected member of each group.
  const QStringList expected = {"TxtA(1)",  "Option2(0)", "Option1(1)", "CmdStart",
                                "CmdAbout", "CmdQuit",    "TxtD(0)",    "TxtD(1)",
                                "Command1", "Command2",   "TxtA(0)",    "TxtA(1)"};
  EXPECT_EQ(visited, expected);
}

struct AccessKeyCase {
  const char* name;
  bool reverse;
  Qt::Key key;
  const char* expectedFocus;
  const char* expectedSelected;  // an option button that ends up selected, or nullptr
};

void PrintTo(const AccessKeyCase& c, std::ostream* out) { *out << c.name; }

class AccessKeyTest : public FrmMainTest, public testing::WithParamInterface<AccessKeyCase> {};

TEST_P(AccessKeyTest, MovesTheFocusAndSelects) {
  const AccessKeyCase& c = GetParam();
  if (c.reverse) {
    Reverse();
  }
  Button("CmdQuit")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
  // Buttons give a short press animation before their click.
  QTRY_COMPARE(FocusName(), c.expectedFocus);
  if (c.expectedSelected) {
    QTRY_VERIFY(Radio(c.expectedSelected)->isChecked());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Alt, AccessKeyTest,
    testing::Values(AccessKeyCase{"SideA", false, Qt::Key_A, "TxtA(0)", nullptr},
                    AccessKeyCase{"SideB", false, Qt::Key_B, "TxtA(1)", nullptr},
                    AccessKeyCase{"Reverse", false, Qt::Key_F, "Option1(1)", "Option1(1)"},
                    AccessKeyCase{"Forward", true, Qt::Key_D, "Option1(0)", "Option1(0)"},
                    AccessKeyCase{"VelocityGiven", true, Qt::Key_V, "TxtD(0)", "Option2(0)"},
                    AccessKeyCase{"FlowGiven", true, Qt::Key_Q, "TxtD(1)", "Option2(1)"}),
    [](const testing::TestParamInfo<AccessKeyCase>& info) { return info.param.name; });

TEST_F(FrmMainTest, AccessKeysClickTheCommandButtons) {
  QSignalSpy about(window_.get(), &FrmMain::AboutRequested);
  QSignalSpy quit(window_.get(), &FrmMain::QuitRequested);
  QTest::keyClick(Edit("TxtA(0)"), Qt::Key_S, Qt::AltModifier);
  QTRY_COMPARE(messages_.shown.size(), 1U);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
  QTRY_COMPARE(about.count(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
  QTRY_COMPARE(quit.count(), 1);
  EXPECT_EQ(alert_.count, 0);
}

TEST_F(FrmMainTest, AccessKeyCannotChooseADiameterInTheForwardDirection) {
  QTest::keyClick(Edit("TxtA(0)"), Qt::Key_Q, Qt::AltModifier);
  QTRY_COMPARE(FocusName(), "Option2(1)");
  QTest::qWait(250);  // past the click that follows the press animation
  EXPECT_FALSE(Radio("Option2(1)")->isChecked());
}

// One calculation per path, typed as a user types it.
TEST_F(FrmMainTest, CalculatesBothDiametersFromTheSides) {
  QTest::keyClicks(Edit("TxtA(0)"), "500");
  QTest::keyClick(Edit("TxtA(0)"), Qt::Key_Tab);
  QTest::keyClicks(Edit("TxtA(1)"), "320");
  QTest::keyClick(Edit("TxtA(1)"), Qt::Key_Return);
  EXPECT_EQ(Edit("TxtD(0)")->text(), "390");
  EXPECT_EQ(Edit("TxtD(1)")->text(), "440.1");
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(state_.SideA, 500.0F);  // the window's numbers are the caller's
}

TEST_F(FrmMainTest, CalculatesSideBFromTheVelocityDiameter) {
  QTest::keyClicks(Edit("TxtA(0)"), "500");
  Reverse();
  Click(Radio("Option2(0)"));
  QTest::keyClicks(Edit("TxtD(0)"), "444");
  QTest::keyClick(Edit("TxtD(0)"), Qt::Key_Return);
  EXPECT_EQ(Edit("TxtA(1)")->text(), "399");
  EXPECT_EQ(Edit("TxtD(1)")->text(), "493.4");
  EXPECT_EQ(Edit("TxtD(0)")->text(), "444");
}

TEST_F(FrmMainTest, CalculatesSideBFromTheFlowDiameter) {
  QTest::keyClicks(Edit("TxtA(0)"), "1000");
  Reverse();
  Click(Radio("Option2(1)"));
  QTest::keyClicks(Edit("TxtD(1)"), "1606");
  Click(Button("CmdStart"));
  EXPECT_EQ(Edit("TxtA(1)")->text(), "2174");
  EXPECT_EQ(Edit("TxtD(0)")->text(), "1370");
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace duct
