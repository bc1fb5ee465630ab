#include <windows.h>

#include <QString>
#include <string>

#include "app/command_line_output.h"
#include "base/application_info.h"

namespace duct {
namespace {

std::wstring Wide(const std::string& utf8) { return QString::fromStdString(utf8).toStdWString(); }

// A console takes text as characters, shown right whatever its code page; bytes written to it
// would be read in that code page (UTF-8 read as GBK in a Chinese console).
bool WriteToConsole(HANDLE console, const std::string& text) {
  const std::wstring wide = Wide(text);
  DWORD written = 0;
  return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
             0 &&
         written == wide.size();
}

// A file or a pipe gets the text in UTF-8, the same bytes as on Linux.
bool WriteAll(HANDLE handle, const std::string& text) {
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0 &&
         written == text.size();
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

// A windowed program has no console of its own. Its output goes where standard output or error
// was sent (a console, a file, a pipe), else to the console it was started from, else into a
// message box, as when it is started from a shortcut.
bool ShowCommandLineAnswer(const CommandLine& answer) {
  const bool refused = answer.exitStatus != 0;
  const HANDLE handle = GetStdHandle(refused ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
    return IsConsole(handle) ? WriteToConsole(handle, answer.output)
                             : WriteAll(handle, answer.output);
  }
  if (AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    const bool shown = console != INVALID_HANDLE_VALUE && WriteToConsole(console, answer.output);
    if (console != INVALID_HANDLE_VALUE) {
      CloseHandle(console);
    }
    if (shown) {
      return true;
    }
  }
  return MessageBoxW(nullptr, Wide(answer.output).c_str(), Wide(kProgramName).c_str(),
                     refused ? MB_ICONWARNING : MB_ICONINFORMATION) != 0;
}

}  // namespace duct
