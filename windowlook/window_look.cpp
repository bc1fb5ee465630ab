#include "windowlook/window_look.h"

#include <QFontDatabase>
#include <algorithm>

namespace duct {

namespace {

// XPM images are C arrays: compiled in, they need no image reader, whose search through the
// image-format plugins costs milliseconds at start.
#include "resources/about-emblem.xpm"
#include "resources/ductcalc-16.xpm"
#include "resources/ductcalc-32.xpm"

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(ductcalc_32));
  icon.addPixmap(QPixmap(ductcalc_16));
  return icon;
}

QPixmap AboutEmblem() { return QPixmap(about_emblem); }

QFont ChineseFont(const QStringList& families, qreal points, bool bold) {
  QFont font;
  // The first family that is installed, found by its name: asking Qt for one that is not makes
  // it search fontconfig's aliases, and a font that may take glyphs from others makes it sort
  // every installed font for a fallback list, milliseconds each at start. Every family named
  // covers Simplified Chinese, so the one found needs no other.
  const QStringList installed = QFontDatabase::families();
  const auto found = std::find_if(families.begin(), families.end(), [&installed](const QString& f) {
    return installed.contains(f, Qt::CaseInsensitive);
  });
  if (found != families.end()) {
    font.setFamily(*found);
    font.setStyleStrategy(QFont::NoFontMerging);
  } else {
    font.setFamilies(families);
  }
  font.setPointSizeF(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

bool ChineseFontInstalled() {
  return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
}

QFont SongTiFont(qreal points, bool bold) {
  // AR PL UMing has half-width Latin letters as 宋体 does, so texts keep their designed widths.
  // Neither has a bold face: bold is the same face emboldened, as Windows draws 宋体's, and
  // no second Chinese font has to be opened for it.
  return ChineseFont({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC"}, points, bold);
}

QFont WindowDefaultFont() {
  QFont font = SongTiFont(9);
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

}  // namespace duct
