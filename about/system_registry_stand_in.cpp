#include <QStandardPaths>

#include "about/stand_in_registry.h"
#include "about/system_registry.h"

namespace duct {

std::unique_ptr<Registry> MakeSystemRegistry() {
  return MakeStandInRegistry([](const std::string& name) {
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
  });
}

}  // namespace duct
