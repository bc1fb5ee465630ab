#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <functional>
#include <memory>

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

// A window made by `open` keeps every text whole and every font Chinese, at the toolkit's own
// default font and at a large desktop font alike.
inline void ExpectLayoutAtDesktopFontSizes(const std::function<std::unique_ptr<QWidget>()>& open) {
  const QFont desktop = QApplication::font();
  for (const qreal points : {9.0, 12.0}) {
    QFont font = desktop;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    const auto window = open();
    SCOPED_TRACE(points);
    ExpectTextsFit(*window);
    for (const auto* control : window->findChildren<QWidget*>()) {
      const QString family = QFontInfo(control->font()).family();
      EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
          << control->objectName().toStdString() << " in " << family.toStdString();
    }
  }
  QApplication::setFont(desktop);
}

}  // namespace duct
