#pragma once

#include <string>
#include <vector>

namespace duct {

// The arguments after the program's name, in UTF-8, as the system passed them.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace duct
