#pragma once

#include <functional>
#include <memory>
#include <string>

#include "registry/registry.h"

namespace duct {

// Finds a program on the search path by name; empty when it is not installed.
using ProgramFinder = std::function<std::string(const std::string& name)>;

// A registry held in memory that holds, where Windows' names the system-information tool's full
// path (kToolPathValue of kToolPathKey), the first of hardinfo2, hardinfo and kinfocenter that
// `findProgram` finds when a key is opened; no such value when none is installed then. The
// registry of systems that have none.
std::unique_ptr<Registry> MakeToolRegistry(const ProgramFinder& findProgram);

}  // namespace duct
