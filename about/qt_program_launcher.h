#pragma once

#include "about/program_launcher.h"

namespace duct {

class QtProgramLauncher final : public ProgramLauncher {
 public:
  [[nodiscard]] bool IsFile(const std::string& path) const override;
  bool Start(const std::string& path) override;
};

}  // namespace duct
