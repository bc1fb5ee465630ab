#pragma once

#include <set>
#include <string>
#include <vector>

#include "about/program_launcher.h"
#include "registry/in_memory_registry.h"

namespace duct {

// The in-memory registry, counting the keys opened and closed, so that tests see every opened
// key closed again, and recording the access asked for.
class CountingRegistry final : public InMemoryRegistry {
 public:
  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override {
    accessMasks.push_back(accessMask);
    const auto status = InMemoryRegistry::OpenKey(root, subKey, options, accessMask, result);
    opened += status == kErrorSuccess ? 1 : 0;
    return status;
  }
  std::int32_t CloseKey(RegistryKey key) override {
    const auto status = InMemoryRegistry::CloseKey(key);
    closed += status == kErrorSuccess ? 1 : 0;
    return status;
  }

  std::vector<std::uint32_t> accessMasks;
  int opened = 0;
  int closed = 0;
};

// Files that exist and programs that start, as a test sets them; every start is recorded.
class FakeProgramLauncher final : public ProgramLauncher {
 public:
  [[nodiscard]] bool IsFile(const std::string& path) const override { return files.count(path); }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return IsFile(path);
  }

  std::set<std::string> files;
  std::vector<std::string> started;
};

}  // namespace duct
