#include "mainwindow/option_pair.h"

#include <QKeyEvent>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyleOption>
#include <utility>

namespace duct {
namespace {

// The application's style, but for the area of an option button that takes clicks (and that
// accessibility reports as the button): the style's is only the circle and the caption's width.
class WholeBoxStyle final : public QProxyStyle {
 public:
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override {
    return element == SE_RadioButtonClickRect
               ? option->rect
               : QProxyStyle::subElementRect(element, option, widget);
  }
};

}  // namespace

void OptionPair::SetButtons(QRadioButton* first, QRadioButton* second) {
  buttons_ = {first, second};
  auto* wholeBox = new WholeBoxStyle();
  wholeBox->setParent(first->parentWidget());  // goes after the buttons, with their container
  for (int index = 0; index < 2; ++index) {
    buttons_.at(index)->setStyle(wholeBox);
    group_.addButton(buttons_.at(index), index);
    buttons_.at(index)->installEventFilter(this);
  }
  connect(&group_, &QButtonGroup::idToggled, this, [this](int index, bool selected) {
    if (selected) {
      emit Clicked(static_cast<qint16>(index));
    }
  });
  // A click on the selected member toggles nothing; it still counts as the user's choice.
  connect(&group_, &QButtonGroup::idPressed, this,
          [this](int index) { selectedWhenPressed_ = buttons_.at(index)->isChecked(); });
  connect(&group_, &QButtonGroup::idClicked, this, [this](int index) {
    if (std::exchange(selectedWhenPressed_, false)) {
      emit Clicked(static_cast<qint16>(index));
    }
  });
}

std::optional<int> OptionPair::Selected() const {
  const int index = group_.checkedId();
  return index < 0 ? std::nullopt : std::optional<int>(index);
}

void OptionPair::Clear() {
  // An exclusive group keeps its last selection; it lets go of it only while not exclusive.
  group_.setExclusive(false);
  for (auto* button : buttons_) {
    button->setChecked(false);
  }
  group_.setExclusive(true);
}

void OptionPair::MarkTabStop(const QWidget* focus) {
  const int stop = focus == buttons_[1] ? 1 : focus == buttons_[0] ? 0 : Selected().value_or(0);
  for (int index = 0; index < 2; ++index) {
    buttons_.at(index)->setFocusPolicy(index == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

// Up and Down move to the other member and select it where the pair had a selection, as Qt's
// own arrow keys do; but the focus moves before the click, not after, so that a handler of the
// click can send the focus on (Qt would take it back to the button). Enter is the window's
// default button's, also under the desktop themes that press a focused button with Enter.
bool OptionPair::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
    return false;
  }
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  const int key = keyEvent->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    keyEvent->ignore();  // on to the window
    return true;
  }
  if (event->type() != QEvent::KeyPress) {
    return false;
  }
  const int from = watched == buttons_[1] ? 1 : 0;
  const int to = key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? 0 : from;
  if (to == from) {
    return false;
  }
  const bool selected = buttons_.at(from)->isChecked();
  buttons_.at(to)->setFocus(to > from ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  if (selected) {
    buttons_.at(to)->click();
  }
  return true;
}

}  // namespace duct
