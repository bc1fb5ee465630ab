#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <QString>
#include <algorithm>

#include "app/program_arguments.h"

namespace duct {

// Read again from the command line in UTF-16, as Windows keeps it: argv holds the arguments in
// the code page, which turns a character outside it into "?".
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    return {argv + std::min(argc, 1), argv + argc};
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(QString::fromWCharArray(wide[i]).toStdString());
  }
  LocalFree(wide);
  return arguments;
}

}  // namespace duct
