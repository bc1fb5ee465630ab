#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>

namespace duct {

// The room a control's text needs, in the control's own font: the text itself, plus a radio
// button's circle and a little space at the edges of buttons and fields.
inline QSize NeededForText(const QWidget& control) {
  const QFontMetrics metrics(control.font());
  const auto size = [&metrics](const QString& text, int extraWidth) {
    const QSize text_size = metrics.size(Qt::TextShowMnemonic, text);
    return QSize(text_size.width() + extraWidth, text_size.height());
  };
  if (const auto* radio = qobject_cast<const QRadioButton*>(&control)) {
    const QStyle* style = radio->style();
    return size(radio->text(), style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                   style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    return size(button->text(), 4);
  }
  if (const auto* field = qobject_cast<const QLineEdit*>(&control)) {
    return size(field->text(), 8);
  }
  if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) {
    return size(frame->title(), 12);
  }
  return {};
}

// Every text is whole inside its control, every control inside its container, and no label
// runs into another control.
inline void ExpectTextsFit(const QWidget& window) {
  for (const auto* control : window.findChildren<QWidget*>()) {
    const std::string name = control->objectName().toStdString();
    EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry())) << name;
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      const QSize hint = label->sizeHint();
      EXPECT_LE(label->wordWrap() ? label->heightForWidth(label->width()) : hint.height(),
                label->height())
          << name;
      EXPECT_LE(label->wordWrap() ? 0 : hint.width(), label->width()) << name;
      for (const auto* other :
           label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(other == label || !label->geometry().intersects(other->geometry()))
            << name << " runs into " << other->objectName().toStdString();
      }
    } else {
      const QSize needed = NeededForText(*control);
      EXPECT_LE(needed.width(), control->width()) << name;
      EXPECT_LE(needed.height(), control->height()) << name;
    }
  }
}

}  // namespace duct
