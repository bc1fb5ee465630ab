#pragma once

#include <string>

namespace duct {

// Starts the program at `path` (UTF-8) as it stands, with no arguments and a normal window, to
// run on by itself; the path is never handed to a shell or split into a command line. False when
// it does not start. Each platform's own (program_start_*.cpp).
bool StartProgram(const std::string& path);

}  // namespace duct
