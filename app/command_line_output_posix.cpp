#include <cstdio>

#include "app/command_line_output.h"

namespace duct {

void ShowCommandLineAnswer(const CommandLine& answer) {
  std::fputs(answer.output.c_str(), answer.exitStatus == 0 ? stdout : stderr);
}

}  // namespace duct
