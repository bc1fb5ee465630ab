#include "registry/tool_registry.h"

#include <utility>

#include "registry/in_memory_registry.h"
#include "registry/system_registry.h"

namespace duct {
namespace {

// Looks the tool up again at every key opened, as Windows' registry is read afresh at every
// press of the About dialog's button: a tool installed or removed while the program runs counts
// at the next press.
class ToolRegistry final : public InMemoryRegistry {
 public:
  explicit ToolRegistry(ProgramFinder findProgram) : findProgram_(std::move(findProgram)) {}

  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override {
    NameInstalledTool();
    return InMemoryRegistry::OpenKey(root, subKey, options, accessMask, result);
  }

 private:
  void NameInstalledTool() {
    RemoveValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue);
    for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter"}) {
      const std::string path = findProgram_(name);
      if (!path.empty()) {
        SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, {kRegSz, path + '\0'});
        break;
      }
    }
  }

  ProgramFinder findProgram_;
};

}  // namespace

std::unique_ptr<Registry> MakeToolRegistry(const ProgramFinder& findProgram) {
  return std::make_unique<ToolRegistry>(findProgram);
}

}  // namespace duct
