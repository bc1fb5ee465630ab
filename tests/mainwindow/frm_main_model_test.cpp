// The calculator window against a model of its interaction rules, written here from the rules
// themselves. Real user input (mouse clicks at a control's centre, keys, access keys, input
// method text) drives the window; after every step the window must agree with the model.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "calc/calculate_command.h"
#include "mainwindow/frm_main.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

// The Tab stops in order; a pair of option buttons is one stop.
const QStringList kTabStops = {"TxtA(0)", "TxtA(1)", "Option2", "Option1",  "CmdStart", "CmdAbout",
                               "CmdQuit", "TxtD(0)", "TxtD(1)", "Command1", "Command2"};
const QStringList kFields = {"TxtA(0)", "TxtA(1)", "TxtD(0)", "TxtD(1)"};

struct Model {
  bool reverse = false;
  int given = -1;  // the selected Option2 member
  QString focus = "TxtA(0)";
  bool wholeSelected = true;  // the focused field's whole text is selected
  bool caretOnly = false;     // a click left the caret in the focused field, no selection
};

enum class Arrival { Keyboard, Mouse, Code };

class WindowModelTest : public testing::Test {
 protected:
  void Open() {
    window_ = std::make_unique<FrmMain>(state_, messages_, alert_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    model_ = {};
    bordersCheckedReverse_ = std::nullopt;
    if (borderRows_.empty()) {
      borderRows_ = BorderRows();
    }
  }

  template <typename Control = QWidget>
  Control* Find(const QString& name) const {
    auto* control = window_->findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
  }
  QLineEdit* Field(int i) const { return Find<QLineEdit>(kFields[i]); }
  QWidget* Focus() const { return QApplication::focusWidget(); }

  // For each frame, the first row from the top where its right-hand column leaves the
  // background: its top border.
  std::vector<int> BorderRows() const {
    std::vector<int> rows;
    for (const char* frame : {"Frame1", "Frame2"}) {
      const QImage image = Find(frame)->grab().toImage();
      const int x = image.width() - 12;
      int y = 1;
      while (y < image.height() && image.pixel(x, y) == image.pixel(x, 0)) {
        ++y;
      }
      rows.push_back(y);
    }
    return rows;
  }

  // Rules 2 and 3: a field that gets the focus, and what it selects.
  void FocusArrives(const QString& name, Arrival how) {
    const bool moved = model_.focus != name;
    model_.focus = name;
    const int field = static_cast<int>(kFields.indexOf(name));
    if (field < 0) {
      return;
    }
    if (!moved) {
      model_.wholeSelected = model_.wholeSelected && how != Arrival::Mouse;
      model_.caretOnly = how == Arrival::Mouse;
      return;
    }
    if (field >= 2 && model_.reverse) {
      model_.given = field - 2;
    }
    const bool ruleSelects = field == 0 || (field == 1) != model_.reverse;
    // Entered by Tab or an access key, the line edit selects its whole text by itself.
    model_.wholeSelected = ruleSelects || how == Arrival::Keyboard;
    model_.caretOnly = !ruleSelects && how == Arrival::Mouse;
  }

  // An option button became selected, or the selected one was activated again.
  void OptionClicked(const QString& pair, int index) {
    if (pair == "Option1") {
      model_.reverse = index == 1;
      model_.given = model_.reverse ? model_.given : -1;
    } else if (model_.reverse) {
      FocusArrives(kFields[2 + index], Arrival::Code);
    }
  }

  static QString Member(const QString& pair, int index) {
    return QString("%1(%2)").arg(pair).arg(index);
  }

  void Tab(bool forward) {
    QTest::keyClick(Focus(), Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
    TabInModel(forward);
  }

  void TabInModel(bool forward) {
    const QString pair = model_.focus.section('(', 0, 0);
    const auto from = kTabStops.indexOf(kTabStops.contains(pair) ? pair : model_.focus);
    const QString stop =
        kTabStops[(from + (forward ? 1 : kTabStops.size() - 1)) % kTabStops.size()];
    const int selected = stop == "Option1" ? model_.reverse : std::max(model_.given, 0);
    FocusArrives(stop.startsWith("Option") ? Member(stop, selected) : stop, Arrival::Keyboard);
  }

  void ClickOption(const QString& pair, int index) {
    QTest::mouseClick(Find(Member(pair, index)), Qt::LeftButton);
    model_.focus = Member(pair, index);
    OptionClicked(pair, index);
  }

  void AccessKey(char letter, bool shift) {
    QTest::keyClick(Focus(), static_cast<Qt::Key>(letter),
                    shift ? Qt::AltModifier | Qt::ShiftModifier : Qt::AltModifier);
    const int at = static_cast<int>(QByteArray("DFVQAB").indexOf(letter));
    if (at >= 4) {
      FocusArrives(kFields[at - 4], Arrival::Keyboard);
      return;
    }
    const QString pair = at < 2 ? "Option1" : "Option2";
    model_.focus = Member(pair, at % 2);
    OptionClicked(pair, at % 2);
  }

  // Up and Down move within an option pair and select there if the pair had a selection;
  // on a push button they act as Shift+Tab and Tab.
  void Arrow(bool down) {
    const QString pair = model_.focus.section('(', 0, 0);
    const bool onPushButton = Focus()->inherits("QPushButton");
    QTest::keyClick(Focus(), down ? Qt::Key_Down : Qt::Key_Up);
    if (onPushButton) {
      TabInModel(down);
    }
    if (!pair.startsWith("Option")) {
      return;
    }
    const int from = model_.focus.at(8).digitValue();
    const int to = from + (down ? 1 : -1);
    if (to < 0 || to > 1) {
      return;
    }
    const bool wasSelected =
        pair == "Option1" ? model_.reverse == (from == 1) : model_.given == from;
    model_.focus = Member(pair, to);
    if (wasSelected) {
      OptionClicked(pair, to);
    }
  }

  // Keys or input-method text into the focus; a field takes what the key filter lets through.
  void Type(const QString& text, bool composed = false) {
    auto* field = qobject_cast<QLineEdit*>(Focus());
    if (field == nullptr) {
      QTest::keyClicks(Focus(), text);
      return;
    }
    const auto before = field->text().size() - field->selectedText().size();
    const int alerts = alert_.count;
    if (composed) {
      QInputMethodEvent event;
      event.setCommitString(text);
      QApplication::sendEvent(field, &event);
    } else {
      QTest::keyClicks(field, text);
    }
    const auto accepted = text.count(QRegularExpression("[0-9.]"));
    EXPECT_EQ(alert_.count - alerts, text.size() - accepted) << "alerts for " << text.toStdString();
    if (accepted > 0 && !field->isReadOnly()) {
      EXPECT_EQ(field->text().size(), before + accepted) << "in place of the selection";
      model_.wholeSelected = model_.caretOnly = false;
    } else {
      EXPECT_EQ(field->text().size(), before + field->selectedText().size()) << "a locked field";
    }
  }

  // The calculation that `press` starts must take the path the model's options give.
  void ExpectCalculation(const std::function<void()>& press) {
    CalculatorInput input{model_.reverse ? Direction::Reverse : Direction::Forward,
                          model_.given < 0    ? GivenDiameter::None
                          : model_.given == 0 ? GivenDiameter::Velocity
                                              : GivenDiameter::Flow,
                          {}};
    for (int i = 0; i < 4; ++i) {
      input.texts.at(i) = Field(i)->text().toStdString();
    }
    const CalculateResult expected = Calculate(input, state_);
    const std::size_t shown = messages_.shown.size();
    press();
    for (const auto& [field, text] : expected.writes) {
      input.texts.at(static_cast<std::size_t>(field)) = text;
    }
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Field(i)->text().toStdString(), input.texts.at(i)) << kFields[i].toStdString();
    }
    EXPECT_EQ(state_, expected.state);
    ASSERT_EQ(messages_.shown.size(), shown + (expected.message ? 1 : 0));
    if (expected.message) {
      EXPECT_EQ(messages_.shown.back(), *expected.message);
    }
    model_.wholeSelected = model_.wholeSelected && expected.writes.empty();
    model_.caretOnly = model_.caretOnly && expected.writes.empty();
  }

  void Enter() {
    if (model_.focus == "CmdQuit" || model_.focus == "CmdAbout") {
      return;  // quitting and the About dialog are the program's business, not this window's
    }
    if (model_.focus.startsWith("Command")) {
      ClearButton(model_.focus, [this] { QTest::keyClick(Focus(), Qt::Key_Return); });
      return;
    }
    ExpectCalculation([this] { QTest::keyClick(Focus(), Qt::Key_Return); });
  }

  void ClearButton(const QString& name, const std::function<void()>& press) {
    press();
    const int first = name == "Command1" ? 0 : 2;
    EXPECT_EQ(Field(first)->text(), "(空白)");
    EXPECT_EQ(Field(first + 1)->text(), "(空白)");
    model_.focus = "CmdStart";
  }

  // The invariants of the window, after every step.
  void Check() {
    ASSERT_NE(Find<QRadioButton>("Option1(0)")->isChecked(),
              Find<QRadioButton>("Option1(1)")->isChecked())
        << "exactly one direction";
    EXPECT_EQ(Find<QRadioButton>("Option1(1)")->isChecked(), model_.reverse);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(Find<QRadioButton>(Member("Option2", i))->isChecked(), model_.given == i) << i;
    }
    EXPECT_EQ(window_->CurrentDirection() == Direction::Reverse, model_.reverse);
    EXPECT_FALSE(Field(0)->isReadOnly());
    EXPECT_EQ(Field(1)->isReadOnly(), model_.reverse);
    EXPECT_EQ(Field(2)->isReadOnly(), !model_.reverse);
    EXPECT_EQ(Field(3)->isReadOnly(), !model_.reverse);
    EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), model_.reverse ? "" : "输入");
    EXPECT_EQ(Find<QGroupBox>("Frame2")->title(), model_.reverse ? "" : "输出");
    if (bordersCheckedReverse_ != model_.reverse) {
      EXPECT_EQ(BorderRows(), borderRows_) << "the frames' borders moved";
      bordersCheckedReverse_ = model_.reverse;
    }
    ASSERT_EQ(Focus()->objectName(), model_.focus);
    if (auto* field = qobject_cast<QLineEdit*>(Focus())) {
      if (model_.wholeSelected) {
        EXPECT_EQ(field->selectedText(), field->text()) << "whole text selected on focus";
      }
      if (model_.caretOnly) {
        EXPECT_FALSE(field->hasSelectedText()) << "a click leaves the caret";
      }
    }
  }

  struct Action {
    std::string name;
    std::function<void(WindowModelTest&)> run;
  };
  static std::vector<Action> OptionAndFocusActions();
  static std::vector<Action> AllActions();

  // Runs `actions` on the open window, checking after each; stops at the first disagreement.
  void Walk(const std::vector<const Action*>& actions) {
    std::string trail;
    for (const Action* action : actions) {
      trail += (trail.empty() ? "" : ", ") + action->name;
      SCOPED_TRACE(trail);
      action->run(*this);
      Check();
      if (HasFailure()) {
        return;
      }
    }
  }

  CalculationState state_;
  RecordingMessageBoxes messages_;
  CountingAlertSound alert_;
  std::unique_ptr<FrmMain> window_;
  Model model_;
  std::vector<int> borderRows_;  // as the window opens
  std::optional<bool> bordersCheckedReverse_;
};

// The options chosen by mouse, access key, arrow and Space, and the focus moved by mouse, Tab
// and access key; the random walk adds their mirror images (Alt+D, Alt+Q, Up, ...).
std::vector<WindowModelTest::Action> WindowModelTest::OptionAndFocusActions() {
  std::vector<Action> actions;
  for (const QString pair : {"Option1", "Option2"}) {
    for (int i = 0; i < 2; ++i) {
      actions.push_back({("click " + Member(pair, i)).toStdString(),
                         [pair, i](WindowModelTest& t) { t.ClickOption(pair, i); }});
    }
  }
  for (const char letter : {'F', 'V', 'A'}) {
    actions.push_back({std::string("Alt+") + letter,
                       [letter](WindowModelTest& t) { t.AccessKey(letter, false); }});
  }
  for (int i : {1, 2}) {
    actions.push_back({("click " + kFields[i]).toStdString(), [i](WindowModelTest& t) {
                         QTest::mouseClick(t.Field(i), Qt::LeftButton);
                         t.FocusArrives(kFields[i], Arrival::Mouse);
                       }});
  }
  actions.push_back({"Tab", [](WindowModelTest& t) { t.Tab(true); }});
  actions.push_back({"Shift+Tab", [](WindowModelTest& t) { t.Tab(false); }});
  actions.push_back({"Down", [](WindowModelTest& t) { t.Arrow(true); }});
  actions.push_back({"Space", [](WindowModelTest& t) {
                       const QString focus = t.model_.focus;
                       if (focus.startsWith("Option")) {
                         QTest::keyClick(t.Focus(), Qt::Key_Space);
                         t.OptionClicked(focus.section('(', 0, 0), focus.at(8).digitValue());
                       } else if (kFields.contains(focus)) {
                         t.Type(" ");
                       }
                     }});
  return actions;
}

std::vector<WindowModelTest::Action> WindowModelTest::AllActions() {
  auto actions = OptionAndFocusActions();
  for (int i : {0, 3}) {
    actions.push_back({("click " + kFields[i]).toStdString(), [i](WindowModelTest& t) {
                         QTest::mouseClick(t.Field(i), Qt::LeftButton);
                         t.FocusArrives(kFields[i], Arrival::Mouse);
                       }});
  }
  actions.push_back({"Up", [](WindowModelTest& t) { t.Arrow(false); }});
  for (const char letter : {'D', 'Q', 'B'}) {
    actions.push_back({std::string("Alt+") + letter,
                       [letter](WindowModelTest& t) { t.AccessKey(letter, false); }});
  }
  for (const char letter : {'D', 'F', 'V', 'Q', 'A', 'B'}) {
    actions.push_back({std::string("Alt+Shift+") + letter,
                       [letter](WindowModelTest& t) { t.AccessKey(letter, true); }});
  }
  actions.push_back({"type 480", [](WindowModelTest& t) { t.Type("480"); }});
  actions.push_back({"type 1.5", [](WindowModelTest& t) { t.Type("1.5"); }});
  actions.push_back({"type x-", [](WindowModelTest& t) { t.Type("x-"); }});
  actions.push_back({"compose 5.5", [](WindowModelTest& t) { t.Type("5.5", true); }});
  actions.push_back({"Enter", [](WindowModelTest& t) { t.Enter(); }});
  actions.push_back({"click CmdStart", [](WindowModelTest& t) {
                       t.ExpectCalculation(
                           [&t] { QTest::mouseClick(t.Find("CmdStart"), Qt::LeftButton); });
                       t.model_.focus = "CmdStart";
                     }});
  for (const char* clear : {"Command1", "Command2"}) {
    actions.push_back(
        {clear, [clear](WindowModelTest& t) {
           t.ClearButton(clear, [&t, clear] { QTest::mouseClick(t.Find(clear), Qt::LeftButton); });
         }});
  }
  return actions;
}

// Input that once led the window astray, each from the window's start.
TEST_F(WindowModelTest, SequencesThatOnceFailed) {
  const std::vector<std::vector<std::string>> sequences = {
      {"Alt+F", "click Option2(0)", "click Option1(1)"},              // no direction left selected
      {"type 480", "Tab", "type 480", "Enter", "click TxtA(0)"},      // a click kept the caret
      {"Alt+F", "click Option2(0)", "click TxtA(1)", "Tab", "Down"},  // Down kept the focus
      {"Alt+F", "click Option2(0)", "click TxtA(1)", "Tab", "Alt+V"},
      {"Alt+Shift+F"},                   // access keys ignored Shift
      {"click TxtD(0)", "compose 5.5"},  // composed text reached a locked field
  };
  const auto actions = AllActions();
  for (const auto& names : sequences) {
    std::vector<const Action*> walk;
    for (const auto& name : names) {
      walk.push_back(&*std::find_if(actions.begin(), actions.end(),
                                    [&name](const Action& a) { return a.name == name; }));
    }
    ASSERT_NO_FATAL_FAILURE(Open());
    Walk(walk);
  }
}

// Every sequence of three option and focus actions from the window's start.
TEST_F(WindowModelTest, EverySequenceOfThreeOptionAndFocusActions) {
  const auto actions = OptionAndFocusActions();
  for (const auto& first : actions) {
    for (const auto& second : actions) {
      for (const auto& third : actions) {
        ASSERT_NO_FATAL_FAILURE(Open());
        Walk({&first, &second, &third});
        if (HasFailure()) {
          return;
        }
      }
    }
  }
}

TEST_F(WindowModelTest, RandomWalkOverEveryAction) {
  const auto actions = AllActions();
  std::mt19937 random(20261207);
  std::uniform_int_distribution<std::size_t> pick(0, actions.size() - 1);
  ASSERT_NO_FATAL_FAILURE(Open());
  std::vector<const Action*> walk;
  for (int step = 0; step < 3000; ++step) {
    walk.push_back(&actions[pick(random)]);
  }
  Walk(walk);
}

}  // namespace
}  // namespace duct
