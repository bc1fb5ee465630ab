#include "mainwindow/frame.h"

#include <qdrawutil.h>
#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace duct {
namespace {

constexpr int kCaptionIndent = 8;   // from the frame's left edge, in pixels
constexpr int kCaptionPadding = 2;  // blank on either side of the caption, over the border

}  // namespace

// Under the desktop themes whose buttons are pressed with Enter (GNOME's, GTK's), a group box
// takes Enter as a press of its check box, which a frame does not have, and the window's default
// button never sees it: keys go past QGroupBox::event to the plain widget's handling.
bool Frame::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    return QWidget::event(event);  // NOLINT(bugprone-parent-virtual-call)
  }
  return QGroupBox::event(event);
}

void Frame::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const int lineHeight = fontMetrics().height();
  qDrawShadeRect(&painter, rect().adjusted(0, lineHeight / 2, 0, 0), palette(), true);
  if (title().isEmpty()) {
    return;
  }
  const QRect caption(kCaptionIndent, 0,
                      fontMetrics().horizontalAdvance(title()) + 2 * kCaptionPadding, lineHeight);
  painter.fillRect(caption, palette().window());
  style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                        QPalette::WindowText);
}

}  // namespace duct
