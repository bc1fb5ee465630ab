#pragma once

#include "app/command_line.h"

namespace duct {

// Shows what the command line answered (the help, the version, a refusal) where the user who
// typed it will see it: on standard output, or on standard error for a refusal. False when it
// could not be written there.
bool ShowCommandLineAnswer(const CommandLine& answer);

}  // namespace duct
