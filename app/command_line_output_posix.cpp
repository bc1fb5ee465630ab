#include <csignal>
#include <cstdio>

#include "app/command_line_output.h"

namespace duct {

bool ShowCommandLineAnswer(const CommandLine& answer) {
  // A reader that has gone (`ductcalc --help | true`) would end the program by SIGPIPE, with
  // nothing said; ignored, the write fails as any other, and the failure is reported.
  std::signal(SIGPIPE, SIG_IGN);
  std::FILE* stream = answer.exitStatus == 0 ? stdout : stderr;
  // Written through the buffer: only the flush finds out whether it arrived.
  return std::fputs(answer.output.c_str(), stream) >= 0 && std::fflush(stream) == 0;
}

}  // namespace duct
