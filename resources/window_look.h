#pragma once

#include <QFont>
#include <QIcon>
#include <QStringList>

namespace duct {

// The program's icon, a white speech bubble with a blue question mark, at 32 x 32 and 16 x 16.
QIcon ApplicationIcon();

// A font of the first of `families` that is installed, falling back to any font that covers
// Simplified Chinese, so that the windows' texts never show as empty boxes.
QFont ChineseFont(const QStringList& families, qreal points, bool bold = false);

// "宋体" at the given size, or the nearest Song-style font where it is not installed.
QFont SongTiFont(qreal points, bool bold = false);

}  // namespace duct
