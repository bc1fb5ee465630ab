#pragma once

#include <span>
#include <string>

namespace duct {

// What the command line asks for. The program has two options of its own, --help and
// --version; any other argument is refused, and none reaches the toolkit (Qt's own options,
// such as -reverse or -style, would change the window).
struct CommandLine {
  bool openWindow = false;
  std::string output;  // for standard output, or for standard error when refused
  int exitStatus = 0;
};

CommandLine ReadCommandLine(std::span<char* const> arguments);

// The answer given when an answer could not be written (a full disk, a closed pipe): one line
// for standard error, and a failure status.
CommandLine UnwrittenAnswer();

}  // namespace duct
