#pragma once

#include <functional>
#include <memory>
#include <string>

#include "about/registry.h"

namespace duct {

// Finds a program on the search path by name; empty when it is not installed.
using ProgramFinder = std::function<std::string(const std::string& name)>;

// The registry on systems that have none: under the local-machine root it holds only the
// system-information tool's path, for the first of hardinfo2, hardinfo and kinfocenter that is
// installed, and nothing at all when none is.
std::unique_ptr<Registry> MakeStandInRegistry(const ProgramFinder& findProgram);

}  // namespace duct
