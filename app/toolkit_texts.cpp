#include "app/toolkit_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace duct {

bool InstallChineseToolkitTexts(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  // The program's own copy where it carries one (Windows), else the one installed with Qt.
  const bool loaded =
      translator->load("qtbase_zh_CN", ":/translations") ||
      translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return loaded && QCoreApplication::installTranslator(translator);
}

}  // namespace duct
