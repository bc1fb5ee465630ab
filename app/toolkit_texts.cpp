#include "app/toolkit_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace duct {

bool InstallChineseToolkitTexts(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  const bool loaded =
      translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return loaded && QCoreApplication::installTranslator(translator);
}

}  // namespace duct
