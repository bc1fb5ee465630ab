#pragma once

#include <functional>

namespace duct {

// The whole program: answers the command line, or opens the calculator and runs until it ends;
// returns the exit status. `started` runs once the main window is shown (a test's hook).
int RunCalculator(int argc, char** argv, const std::function<void()>& started = {});

}  // namespace duct
