#include "resources/window_look.h"

namespace duct {

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addFile(":/images/ductcalc-32.xpm", QSize(32, 32));
  icon.addFile(":/images/ductcalc-16.xpm", QSize(16, 16));
  return icon;
}

QFont ChineseFont(const QStringList& families, qreal points, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QFont SongTiFont(qreal points, bool bold) {
  // AR PL UMing has half-width Latin letters as 宋体 does, so texts keep their designed widths,
  // but only a light weight; Noto Serif CJK has a real bold.
  if (bold) {
    return ChineseFont({"宋体", "SimSun", "Noto Serif CJK SC", "AR PL UMing CN"}, points, true);
  }
  return ChineseFont({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC"}, points);
}

QFont WindowDefaultFont() {
  QFont font = SongTiFont(9);
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

}  // namespace duct
