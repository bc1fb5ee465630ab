#pragma once

#include <QButtonGroup>
#include <QObject>
#include <array>
#include <optional>

class QRadioButton;

namespace duct {

// Two option buttons that exclude each other and no other button, wherever they sit. (Qt's
// auto-exclusive buttons look for their partners among all buttons below their parent, so a
// pair inside a frame would join the window's pair.) Up and Down move within the pair. The whole
// box of each button is the button, for the mouse and for screen readers, not only its circle
// and caption.
class OptionPair : public QObject {
  Q_OBJECT

 public:
  // Makes a pair of two buttons the window has built.
  void SetButtons(QRadioButton* first, QRadioButton* second);

  [[nodiscard]] QRadioButton* operator[](int index) const { return buttons_.at(index); }
  [[nodiscard]] std::optional<int> Selected() const;

  // Clears the selection without a Clicked().
  void Clear();

  // The pair is one Tab stop: the member with the focus while the focus is in the pair (so that
  // Tab leaves the pair), else the selected member, else the first.
  void MarkTabStop(const QWidget* focus);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // A member became selected, by the user or by code, or the user activated the member that
  // was selected already.
  void Clicked(qint16 index);

 private:
  std::array<QRadioButton*, 2> buttons_{};
  QButtonGroup group_;
  bool selectedWhenPressed_ = false;
};

}  // namespace duct
