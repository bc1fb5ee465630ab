#pragma once

#include <QGroupBox>

namespace duct {

// A group box drawn as a form's frame: an etched border whose top runs through the middle of
// the caption's line, and the caption across it. The border keeps its place whether or not a
// caption is shown, in every style (Fusion puts a caption above the border and lowers the
// border by the caption's height while there is one). It takes no keys: those its controls leave
// go on to the window.
class Frame : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace duct
