#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <functional>
#include <memory>
#include <vector>

namespace duct {

// A control as users must see it: its container, its place and size there in pixels at 96 dots
// per inch (no size: sized to fit its text), and its font's size and weight.
struct Placed {
  const char* name;
  const char* container;
  QRect geometry;
  qreal points;
  bool bold = false;
};

// The window made by `open`, at the toolkit's own default font and at a large desktop font
// alike: its controls where they must stand, in their fonts (labels sized to their texts); no
// control on another; every font showing Simplified Chinese.
inline void ExpectLayout(const std::function<std::unique_ptr<QWidget>()>& open,
                         const std::vector<Placed>& placed) {
  const QFont desktop = QApplication::font();
  for (const qreal desktopPoints : {9.0, 12.0}) {
    QFont font = desktop;
    font.setPointSizeF(desktopPoints);
    QApplication::setFont(font);
    const auto window = open();
    for (const auto& [name, container, geometry, points, bold] : placed) {
      SCOPED_TRACE(std::string(name) + " at " + std::to_string(desktopPoints));
      const auto* control = window->findChild<QWidget*>(name);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->parentWidget()->objectName(), container);
      EXPECT_EQ(control->pos(), geometry.topLeft());
      EXPECT_EQ(control->size(), geometry.isEmpty() ? control->sizeHint() : geometry.size());
      EXPECT_EQ(control->font().pointSizeF(), points);
      EXPECT_EQ(QFontInfo(control->font()).pixelSize(), qRound(points * 96 / 72));
      EXPECT_EQ(control->font().weight(), bold ? QFont::Bold : QFont::Normal);
    }
    for (const auto* control : window->findChildren<QWidget*>()) {
      SCOPED_TRACE(control->objectName().toStdString() + " at " + std::to_string(desktopPoints));
      // Neighbours may share one row or column of pixels, as the window's design places them.
      for (const auto* other : control->parentWidget()->findChildren<QWidget*>()) {
        const QRect shared = control->geometry().intersected(other->geometry());
        EXPECT_TRUE(other == control || other->parentWidget() != control->parentWidget() ||
                    shared.width() < 2 || shared.height() < 2)
            << "lies on " << other->objectName().toStdString();
      }
      const QString family = QFontInfo(control->font()).family();
      EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
          << family.toStdString();
    }
  }
  QApplication::setFont(desktop);
}

}  // namespace duct
