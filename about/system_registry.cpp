#include "about/system_registry.h"

#ifdef _WIN32
#include "about/windows_registry.h"
#else
#include <QStandardPaths>

#include "about/stand_in_registry.h"
#endif

namespace duct {

std::unique_ptr<Registry> MakeSystemRegistry() {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  return MakeStandInRegistry([](const std::string& name) {
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
  });
#endif
}

}  // namespace duct
