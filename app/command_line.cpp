#include "app/command_line.h"

#include <string_view>

#include "base/application_info.h"

namespace duct {

CommandLine ReadCommandLine(std::span<char* const> arguments) {
  const std::string program = kProgramName;
  if (arguments.size() <= 1) {
    return {true, {}, 0};
  }
  const std::string_view first = arguments[1];
  if (arguments.size() == 2 && first == "--help") {
    return {false,
            "Usage: " + program + " [--help | --version]\n" +
                "Opens the calculator of equivalent diameters of rectangular ducts.\n\n" +
                "  --help     show this text and exit\n" +
                "  --version  show the program's name and version and exit\n",
            0};
  }
  if (arguments.size() == 2 && first == "--version") {
    return {false,
            program + " " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                "." + std::to_string(kVersionPatch) + "\n",
            0};
  }
  const std::string_view refused = first == "--help" || first == "--version" ? arguments[2] : first;
  return {false,
          program + ": unknown argument '" + std::string(refused) + "' (try '" + program +
              " --help')\n",
          2};
}

}  // namespace duct
