#pragma once

#include <span>
#include <string>

namespace duct {

// What the command line asks for. The program has two options of its own, --help and
// --version, which answer before the toolkit starts, so without a display too. The toolkit then
// takes its own options (-platform, -style, -session, ...), as in any Qt program; an option it
// leaves is refused, and anything else (a file dropped onto the program, anything after "--") is
// passed over: the window has no use for it.
struct CommandLine {
  bool openWindow = false;
  std::string output;  // for standard output, or for standard error when refused
  int exitStatus = 0;
};

// How many of the arguments come before "--", after which, by custom, nothing is an option: not
// the program's, not the toolkit's.
std::size_t OptionCount(std::span<const std::string> arguments);

// The arguments after the program's name, in UTF-8, before the toolkit has seen them: --help
// or --version answers, wherever it stands before "--"; else the window is to open.
CommandLine ReadOwnOptions(std::span<const std::string> arguments);

// The arguments that the toolkit left of those before "--", in UTF-8: the first option among
// them is refused.
CommandLine ReadArgumentsLeft(std::span<const std::string> arguments);

// The answer given when an answer could not be written (a full disk, a closed pipe): one line
// for standard error, and a failure status.
CommandLine UnwrittenAnswer();

}  // namespace duct
