// The program's two windows, the calculator and the About dialog, against a model of the
// calculator's interaction rules and of the windows' lifecycle, written here from the rules
// themselves. Real user input (mouse clicks at a control's centre, keys, access keys, input
// method text, the title bar's close button, and a screen reader's press, which a message box
// does not block) drives the windows, and their message boxes show for real and are answered with
// Enter; after every step the windows must agree with the model.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <random>

#include "app/toolkit_texts.h"
#include "app/window_lifecycle.h"
#include "base/application_info.h"
#include "calc/calculate_command.h"
#include "mainwindow/frm_main.h"
#include "tests/support/answered_message_boxes.h"
#include "tests/support/fake_platform.h"
#include "tests/support/print_qt.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

// The Tab stops in order; an option pair is one stop.
const QStringList kTabStops = {"TxtA(0)", "TxtA(1)", "Option2", "Option1",  "CmdStart", "CmdAbout",
                               "CmdQuit", "TxtD(0)", "TxtD(1)", "Command1", "Command2"};
const QStringList kFields = {"TxtA(0)", "TxtA(1)", "TxtD(0)", "TxtD(1)"};
// The option and focus actions, then the rest.
// clang-format off
const QStringList kOptionAndFocusActions = {
    "click Option1(0)", "click Option1(1)", "click Option2(0)", "click Option2(1)", "Alt+F",
    "Alt+V", "Alt+A", "click TxtA(1)", "click TxtD(0)", "Tab", "Shift+Tab", "Down", "Space"};
const QStringList kOtherActions = {
    "Alt+D", "Alt+Q", "Alt+B", "Alt+Shift+D", "Alt+Shift+F", "Alt+Shift+V", "Alt+Shift+Q",
    "Alt+Shift+A", "Alt+Shift+B", "click TxtA(0)", "click TxtD(1)", "Up", "type 480",
    "type 1.5x-", "type 12345678", "Enter", "Keypad Enter", "click CmdStart", "click Command1",
    "click Command2", "Alt+O", "About: Enter", "About: Escape", "About: Alt+O", "About: ×",
    "About: Alt+Shift+O", "About: Alt+S", "About: Alt+Shift+S", "×", "Escape",
    "reader: 退出 under a message", "reader: 确定 under a message"};
// clang-format on

// The calculate command's messages as the window must show them.
Message Shown(CalculateMessage message) {
  return message == CalculateMessage::InputError
             ? Message{"参数输入错误!", MessageIcon::Information, "提醒"}
             : Message{"方管两边长相差太大，请重输！", MessageIcon::None, kApplicationTitle};
}

int IndexIn(const QString& member) { return member.at(member.size() - 2).digitValue(); }

struct Model {
  bool reverse = false;
  int given = -1;  // the selected Option2 member
  QString focus = "TxtA(0)";
  bool wholeSelected = true;  // the focused field's whole text is selected
  bool caretOnly = false;     // a click left the caret in the focused field, no selection
  bool main = true;           // the main window is open
  bool about = false;         // the About dialog is open
};

class WindowModelTest : public testing::Test {
 protected:
  // Qt's own texts in Chinese, as the program has them.
  static void SetUpTestSuite() { ASSERT_TRUE(InstallChineseToolkitTexts(*qApp)); }

  // The program from its start.
  void Start() {
    program_.reset();
    program_ = std::make_unique<WindowLifecycle>(WindowLifecycle::Services{
        messages_, alert_, registry_, launcher_, [this] { ended_ = true; }});
    program_->ShowMainWindow();
    ended_ = false;
    model_ = {};
    MainOpened();
  }

  // A new main window, in its start state.
  void MainOpened() {
    model_ = {.about = model_.about};
    ASSERT_NO_FATAL_FAILURE(Activate(Main()));
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Field(i)->text(), "(空白)");
    }
  }

  static void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  // As a screen reader presses a button: Qt's animated click, done when `done` holds.
  static void ReaderPress(QWidget* button, const std::function<bool()>& done) {
    QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor(done));
  }

  FrmMain* Main() const { return program_->MainWindow(); }
  QWidget* About() const { return program_->AboutDialog(); }
  QWidget* Focus() const { return Main()->focusWidget(); }
  QWidget* Find(const QString& name) const { return Main()->findChild<QWidget*>(name); }
  QLineEdit* Field(int i) const { return Main()->findChild<QLineEdit*>(kFields[i]); }

  // A control gets the focus; a field selects as the got-focus rule says (entered by Tab or an
  // access key, the line edit selects its whole text by itself), and a diameter field in the
  // reverse direction becomes the given one. A click into the focused field places the caret.
  void FocusArrives(const QString& name, bool byMouse = false) {
    const bool moved = std::exchange(model_.focus, name) != name;
    const auto field = kFields.indexOf(name);
    if (field >= 0 && !moved) {
      model_.wholeSelected = model_.wholeSelected && !byMouse;
      model_.caretOnly = byMouse;
    } else if (field >= 0) {
      model_.given = field >= 2 && model_.reverse ? static_cast<int>(field) - 2 : model_.given;
      const bool ruleSelects = field == 0 || (field == 1) != model_.reverse;
      model_.wholeSelected = ruleSelects || !byMouse;
      model_.caretOnly = !ruleSelects && byMouse;
    }
  }

  // An option became selected, or the selected one was activated again.
  void OptionClicked(const QString& option) {
    model_.focus = option;
    if (option.startsWith("Option1")) {
      model_.reverse = IndexIn(option) == 1;
      model_.given = model_.reverse ? model_.given : -1;
    } else if (model_.reverse) {
      FocusArrives(kFields[2 + IndexIn(option)]);
    }
  }

  void Tab(bool forward) {
    const QString pair = model_.focus.section('(', 0, 0);
    const auto from = kTabStops.indexOf(kTabStops.contains(pair) ? pair : model_.focus);
    const QString& stop =
        kTabStops[(from + (forward ? 1 : kTabStops.size() - 1)) % kTabStops.size()];
    const int selected = stop == "Option1" ? model_.reverse : std::max(model_.given, 0);
    FocusArrives(stop.startsWith("Option") ? QString("%1(%2)").arg(stop).arg(selected) : stop);
  }

  // Up and Down move within an option pair, selecting there if the pair had a selection.
  void Arrow(bool down) {
    const int from = model_.focus.startsWith("Option") ? IndexIn(model_.focus) : down;
    if (from == static_cast<int>(down)) {
      return;
    }
    const bool selected =
        model_.focus.startsWith("Option1") ? model_.reverse == (from == 1) : model_.given == from;
    model_.focus = model_.focus.chopped(3) + QString("(%1)").arg(1 - from);
    if (selected) {
      OptionClicked(model_.focus);
    }
  }

  // Keys into the focus; a field takes what the key filter lets through, in place of its
  // selection, unless it is locked. (Every character, and an input method's text, in the key
  // filter's own test.)
  void Type(const QString& text) {
    auto* field = qobject_cast<QLineEdit*>(Focus());
    const QString before = field ? field->text() : QString();
    const int alerts = alert_.count;
    QTest::keyClicks(Focus(), text);
    const QString accepted = QString(text).remove(QRegularExpression("[^0-9.]"));
    if (field && (field->isReadOnly() || accepted.isEmpty())) {
      EXPECT_EQ(field->text(), before) << "a locked field";
    } else if (field) {
      EXPECT_TRUE(field->text().contains(accepted)) << "what the key filter let through";
      model_.wholeSelected = model_.caretOnly = false;
    }
    EXPECT_EQ(alert_.count - alerts, field ? text.size() - accepted.size() : 0) << "alerts";
  }

  // The calculate button, a clear button or another: a calculation must take the path the
  // model's options give, whatever was calculated before, a clear button blank its two fields.
  // Every text written shows from its first character.
  void Press(const QString& button, const std::function<void()>& press) {
    CalculatorInput input{model_.reverse ? Direction::Reverse : Direction::Forward,
                          std::array{GivenDiameter::None, GivenDiameter::Velocity,
                                     GivenDiameter::Flow}[model_.given + 1],
                          {}};
    for (int i = 0; i < 4; ++i) {
      input.texts.at(i) = Field(i)->text().toStdString();
    }
    const CalculateResult expected = Calculate(input);
    messages_.shown.clear();
    press();
    std::vector<std::size_t> written;
    if (button.startsWith("Command")) {
      const std::size_t first = button == "Command1" ? 0 : 2;
      written = {first, first + 1};
      input.texts.at(first) = input.texts.at(first + 1) = "(空白)";
      model_.focus = "CmdStart";
    } else if (button == "CmdStart") {
      for (const auto& [field, text] : expected.writes) {
        written.push_back(static_cast<std::size_t>(field));
        input.texts.at(written.back()) = text;
      }
      EXPECT_EQ(messages_.shown,
                expected.message ? std::vector{Shown(*expected.message)} : std::vector<Message>{});
      if (expected.message) {
        messages_.Answer();
      }
    }
    for (const std::size_t i : written) {
      EXPECT_EQ(Field(static_cast<int>(i))->cursorPosition(), 0) << "shown by its tail: " << i;
    }
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Field(i)->text().toStdString(), input.texts.at(i)) << i;
    }
    model_.wholeSelected = model_.caretOnly = false;  // a text written anew loses its selection
  }

  // The About dialog closes; a main window closed meanwhile opens again.
  void AboutClosed() {
    model_.about = false;
    if (!model_.main) {
      ASSERT_TRUE(Main() != nullptr);
      MainOpened();
    }
  }

  // The About dialog's actions, and what opens and closes the windows. Whether a field keeps its
  // selection while its window is away is the platform's business (Qt's offscreen platform drops
  // it at times): the model stops asking.
  void DoInProgram(const QString& action) {
    const QString key = action.section(": ", 1);
    model_.wholeSelected = model_.caretOnly = false;
    if (action.startsWith("About: ") && model_.about) {
      ASSERT_NO_FATAL_FAILURE(Activate(About()));
      const QKeyCombination combination = QKeySequence(key == "Enter" ? "Return" : key)[0];
      key == "×" ? void(About()->close())
                 : QTest::keyClick(About(), combination.key(), combination.keyboardModifiers());
      if (key.endsWith("+S")) {
        messages_.Answer();  // 此时系统信息不可用
      } else {
        AboutClosed();
      }
    } else if (action == "reader: 确定 under a message" && model_.about) {
      ASSERT_NO_FATAL_FAILURE(Activate(About()));
      QTest::keyClick(About(), Qt::Key_S, Qt::AltModifier);
      ReaderPress(About()->findChild<QWidget*>("cmdOK"), [this] { return About() == nullptr; });
      AboutClosed();  // and its message with it
    } else if (model_.main && action == "Alt+O") {
      ASSERT_NO_FATAL_FAILURE(Activate(Main()));
      QTest::keyClick(Focus(), Qt::Key_O, Qt::AltModifier);
      if (!std::exchange(model_.about, true)) {
        dialog_ = About();
      }
    } else if (model_.main &&
               (action == "×" || action == "Escape" || action.startsWith("reader: 退出"))) {
      ASSERT_NO_FATAL_FAILURE(Activate(Main()));
      if (action == "×") {
        Main()->close();
      } else if (action == "Escape") {
        QTest::keyClick(Focus(), Qt::Key_Escape);
      } else {  // the message of a calculation may still be up (the user cannot press then)
        QTest::mouseClick(Find("CmdStart"), Qt::LeftButton);
        ReaderPress(Find("CmdQuit"), [this] { return ended_; });
      }
      EXPECT_TRUE(!ended_ || !Main() || !Main()->isVisible()) << "the main window came back";
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      model_.main = false;
      // Closing the main window alone leaves the program to the About dialog, if it is open.
      EXPECT_EQ(ended_, action != "×" || !model_.about);
      if (ended_) {
        Start();
      }
    }
  }

  void Do(const QString& action) {
    const QString target = action.section(' ', 1);
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers m = {}) {
      QTest::keyClick(Focus(), k, m);
    };
    if (action.startsWith("About") || action.startsWith("reader") || action == "×" ||
        action == "Escape" || action == "Alt+O") {
      DoInProgram(action);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      return;
    }
    if (!model_.main) {
      return;  // the user acts in the About dialog alone
    }
    ASSERT_NO_FATAL_FAILURE(Activate(Main()));
    if (action.startsWith("click Option")) {
      QTest::mouseClick(Find(target), Qt::LeftButton);
      OptionClicked(target);
    } else if (action.startsWith("click Txt")) {
      QTest::mouseClick(Find(target), Qt::LeftButton);
      FocusArrives(target, true);
    } else if (action.startsWith("click C")) {
      Press(target, [this, target] { QTest::mouseClick(Find(target), Qt::LeftButton); });
      model_.focus = "CmdStart";
    } else if (action.startsWith("Alt+")) {
      const char letter = action.back().toLatin1();
      key(static_cast<Qt::Key>(letter),
          action.contains("Shift") ? Qt::AltModifier | Qt::ShiftModifier : Qt::AltModifier);
      const auto at = QByteArray("DFVQAB").indexOf(letter);
      at >= 4 ? FocusArrives(kFields[at - 4])
              : OptionClicked(QString("Option%1(%2)").arg(at < 2 ? 1 : 2).arg(at % 2));
    } else if (action.endsWith("Tab")) {
      key(Qt::Key_Tab, action == "Tab" ? Qt::NoModifier : Qt::ShiftModifier);
      Tab(action == "Tab");
    } else if (action == "Up" || action == "Down") {
      const bool onPushButton = Focus()->inherits("QPushButton");
      key(action == "Down" ? Qt::Key_Down : Qt::Key_Up);
      onPushButton ? Tab(action == "Down") : Arrow(action == "Down");  // like Tab there
    } else if (action == "Space" && model_.focus.startsWith("Option")) {
      key(Qt::Key_Space);
      OptionClicked(model_.focus);
    } else if ((action == "Space" && kFields.contains(model_.focus)) || action.startsWith("type")) {
      Type(action == "Space" ? " " : target);
    } else if (action.endsWith("Enter") && model_.focus != "CmdQuit" &&
               model_.focus != "CmdAbout") {  // quitting and the About dialog leave the window
      const bool keypad = action.startsWith("Keypad");
      Press(model_.focus.startsWith("Command") ? model_.focus : "CmdStart", [&key, keypad] {
        keypad ? key(Qt::Key_Enter, Qt::KeypadModifier) : key(Qt::Key_Return);
      });
    }
  }

  // The invariants of the windows, after every step.
  void Check() {
    ASSERT_EQ(Main() != nullptr, model_.main);
    ASSERT_EQ(About() != nullptr, model_.about);
    EXPECT_TRUE(!model_.about || About() == dialog_) << "one dialog, kept while it is open";
    for (const QWidget* window : QApplication::topLevelWidgets()) {
      EXPECT_FALSE(window->inherits("QMessageBox") && window->isVisible()) << "a message left";
    }
    if (!model_.main) {
      return;
    }
    const auto selected = [this](const char* o) { return Find(o)->property("checked").toBool(); };
    ASSERT_NE(selected("Option1(0)"), selected("Option1(1)")) << "exactly one direction";
    EXPECT_EQ(selected("Option1(1)"), model_.reverse);
    EXPECT_EQ(selected("Option2(0)"), model_.given == 0);
    EXPECT_EQ(selected("Option2(1)"), model_.given == 1);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Field(i)->isReadOnly(), i > 0 && (i == 1) == model_.reverse) << "lock " << i;
    }
    EXPECT_EQ(Main()->findChild<QGroupBox*>("Frame1")->title() +
                  Main()->findChild<QGroupBox*>("Frame2")->title(),
              model_.reverse ? "" : "输入输出");
    ASSERT_EQ(Focus()->objectName(), model_.focus);
    if (auto* field = qobject_cast<QLineEdit*>(Focus())) {
      EXPECT_TRUE(!model_.wholeSelected || field->selectedText() == field->text())
          << "whole text selected on focus";
      EXPECT_TRUE(!model_.caretOnly || !field->hasSelectedText()) << "a click leaves the caret";
    }
  }

  // Runs the actions from the program's start, checking after each; stops at the first
  // disagreement, naming the actions that led to it.
  void Walk(const QStringList& actions) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (qsizetype step = 0; step < actions.size() && !HasFailure(); ++step) {
      SCOPED_TRACE(actions.mid(0, step + 1).join(", ").toStdString());
      Do(actions[step]);
      Check();
    }
  }

  AnsweredMessageBoxes messages_;
  CountingAlertSound alert_;
  CountingRegistry registry_;  // empty: the system-information tool is unavailable
  FakeProgramLauncher launcher_;
  std::unique_ptr<WindowLifecycle> program_;
  bool ended_ = false;
  QPointer<QWidget> dialog_;
  Model model_;
};

TEST_F(WindowModelTest, SequencesThatOnceFailed) {
  Walk({"Alt+F", "click Option2(0)", "click Option1(1)"});          // no direction left selected
  Walk({"type 480", "Tab", "type 480", "Enter", "click TxtA(0)"});  // a click kept the caret
  Walk({"Alt+F", "click Option2(0)", "click TxtA(1)", "Tab", "Down"});  // Down kept the focus
  Walk({"Alt+F", "click Option2(0)", "click TxtA(1)", "Tab", "Alt+V"});
  Walk({"Alt+Shift+F"});  // access keys ignored Shift
  // A window deleted under its own handler while its message box waited for the user.
  Walk({"Alt+O", "reader: 确定 under a message", "reader: 退出 under a message"});
  Walk({"type 480", "Tab", "type 320", "Enter", "Alt+O", "×", "About: Escape", "Enter"});
}

// The ratio message, which the random walk does not reach: side a 12345678 against a Dv of 480.
TEST_F(WindowModelTest, RatioMessage) {
  Walk({"Alt+F", "Alt+V", "type 480", "Alt+A", "type 12345678", "Enter"});
  ASSERT_EQ(messages_.shown.size(), 1U);
  EXPECT_EQ(messages_.shown[0], Shown(CalculateMessage::RatioError));
}

TEST_F(WindowModelTest, EverySequenceOfThreeOptionAndFocusActions) {
  const auto& a = kOptionAndFocusActions;
  for (qsizetype i = 0, n = a.size(); i < n * n * n && !HasFailure(); ++i) {
    Walk({a[i / (n * n)], a[i / n % n], a[i % n]});
  }
}

TEST_F(WindowModelTest, RandomWalkOverEveryAction) {
  const QStringList actions = kOptionAndFocusActions + kOtherActions;
  std::mt19937 random(20261207);
  QStringList walk;
  for (int step = 0; step < 3000; ++step) {
    walk.append(actions[static_cast<qsizetype>(random() % actions.size())]);
  }
  Walk(walk);
}

}  // namespace
}  // namespace duct
