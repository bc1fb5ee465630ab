#include <algorithm>

#include "app/program_arguments.h"

namespace duct {

// The bytes as they came: UTF-8 on the systems the program is built for.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + std::min(argc, 1), argv + argc};
}

}  // namespace duct
