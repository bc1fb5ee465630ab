#include "registry/tool_registry.h"

#include "registry/in_memory_registry.h"
#include "registry/system_registry.h"

namespace duct {

std::unique_ptr<Registry> MakeToolRegistry(const ProgramFinder& findProgram) {
  auto registry = std::make_unique<InMemoryRegistry>();
  for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter"}) {
    const std::string path = findProgram(name);
    if (!path.empty()) {
      registry->SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, {kRegSz, path + '\0'});
      break;
    }
  }
  return registry;
}

}  // namespace duct
