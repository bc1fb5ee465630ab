#include <QStandardPaths>

#include "registry/system_registry.h"
#include "registry/tool_registry.h"

namespace duct {

std::unique_ptr<Registry> MakeSystemRegistry() {
  return MakeToolRegistry([](const std::string& name) {
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
  });
}

}  // namespace duct
