#pragma once

#include <set>
#include <string>
#include <vector>

#include "program_launcher.h"

namespace duct {

// Files that exist and programs that start, as a test sets them; every start is recorded.
class FakeProgramLauncher final : public ProgramLauncher {
 public:
  [[nodiscard]] bool IsFile(const std::string& path) const override {
    return files.count(path) != 0;
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return files.count(path) != 0;
  }

  std::set<std::string> files;
  std::vector<std::string> started;
};

}  // namespace duct
