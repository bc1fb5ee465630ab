#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <functional>
#include <memory>
#include <tuple>

namespace duct {

// A window made by `open`, at the toolkit's own default font and at a large desktop font
// alike: every control lies inside its container, every text fits its control, no label runs
// into another control, and every font shows Simplified Chinese.
inline void ExpectLayoutAtDesktopFontSizes(const std::function<std::unique_ptr<QWidget>()>& open) {
  const QFont desktop = QApplication::font();
  for (const qreal points : {9.0, 12.0}) {
    QFont font = desktop;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    const auto window = open();
    for (const auto* control : window->findChildren<QWidget*>()) {
      SCOPED_TRACE(control->objectName().toStdString() + " at " + std::to_string(points));
      EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
      const QString family = QFontInfo(control->font()).family();
      EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
          << family.toStdString();
      // The text, and the room it needs besides: a radio button's circle, or a little at the
      // edges of buttons, fields and frame captions.
      QString text;
      int room = 4;
      if (const auto* label = qobject_cast<const QLabel*>(control)) {
        EXPECT_LE(label->wordWrap() ? 0 : label->sizeHint().width(), label->width());
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
        for (const auto* other : control->parentWidget()->findChildren<QWidget*>()) {
          EXPECT_TRUE(other == control || other->parentWidget() != control->parentWidget() ||
                      !control->geometry().intersects(other->geometry()))
              << "runs into " << other->objectName().toStdString();
        }
      } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        text = button->text();
        room = control->inherits("QRadioButton")
                   ? 4 + control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                   : 4;
      } else if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
        std::tie(text, room) = std::pair(field->text(), 8);
      } else if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
        std::tie(text, room) = std::pair(frame->title(), 12);
      }
      const QSize needed = QFontMetrics(control->font()).size(Qt::TextShowMnemonic, text);
      EXPECT_TRUE(text.isEmpty() || (needed.width() + room <= control->width() &&
                                     needed.height() <= control->height()))
          << text.toStdString();
    }
  }
  QApplication::setFont(desktop);
}

}  // namespace duct
