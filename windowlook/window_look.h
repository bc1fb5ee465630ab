#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

namespace duct {

// The program's icon, a white speech bubble with a blue question mark, at 32 x 32 and 16 x 16.
QIcon ApplicationIcon();

// The About dialog's emblem, a square duct and its equivalent round duct: 32 x 32 pixels in
// five colours on a transparent ground.
QPixmap AboutEmblem();

// A font of the first of `families` that is installed; each of them must cover Simplified
// Chinese. Where none is installed, the font names them all and Qt's fallback finds another
// font for each character that has one; only where no installed font covers Chinese at all do
// the texts show as empty boxes (see ChineseFontInstalled).
QFont ChineseFont(const QStringList& families, qreal points, bool bold = false);

// Whether the system has any font that shows Simplified Chinese; without one, every text of the
// windows shows as empty boxes.
bool ChineseFontInstalled();

// "宋体" at the given size, or the nearest Song-style font where it is not installed.
QFont SongTiFont(qreal points, bool bold = false);

// The windows' own default font, 9-point 宋体, whatever the desktop's font settings: the
// layouts are fixed in pixels for its 12-pixel lines. Every property counts as set, so that
// controls inside a frame with a font of its own still take this one.
QFont WindowDefaultFont();

}  // namespace duct
