#pragma once

#include <string>

namespace duct {

// Starting another program, and the file test that comes before it.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;

  // True when `path` names an existing file that is not a directory.
  [[nodiscard]] virtual bool IsFile(const std::string& path) const = 0;
  // Starts the program at `path` as it stands, with no arguments, to run on by itself; the
  // path is never handed to a shell or split into a command line. False when it cannot start,
  // and on Windows when it is no program image (a batch file would run in the command
  // interpreter).
  virtual bool Start(const std::string& path) = 0;
};

}  // namespace duct
