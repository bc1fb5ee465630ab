#include <windows.h>

#include <QString>
#include <array>
#include <cstdint>

#include "about/program_start.h"

namespace duct {
namespace {

// Reads `size` bytes at `offset` of the open file.
bool ReadAt(HANDLE file, std::uint32_t offset, void* data, DWORD size) {
  OVERLAPPED at{};
  at.Offset = offset;
  DWORD read = 0;
  return ReadFile(file, data, size, &read, &at) && read == size;
}

// Whether the file is a program image, which CreateProcess runs itself: a PE file marked
// executable and not a DLL. CreateProcess hands anything else named .bat or .cmd to the command
// interpreter, which would parse the command line again ("&", "|", "%...%").
bool IsProgramImage(HANDLE file) {
  std::array<char, 2> mz{};
  std::uint32_t header = 0;  // where the PE header starts (e_lfanew)
  if (!ReadAt(file, 0, mz.data(), mz.size()) || mz != std::array{'M', 'Z'} ||
      !ReadAt(file, 0x3C, &header, sizeof header)) {
    return false;
  }
  std::array<char, 4> signature{};
  std::uint16_t characteristics = 0;  // of the file header that follows the signature
  if (!ReadAt(file, header, signature.data(), signature.size()) ||
      signature != std::array{'P', 'E', '\0', '\0'} ||
      !ReadAt(file, header + 4 + 18, &characteristics, sizeof characteristics)) {
    return false;
  }
  return (characteristics & IMAGE_FILE_EXECUTABLE_IMAGE) != 0 &&
         (characteristics & IMAGE_FILE_DLL) == 0;
}

}  // namespace

bool StartProgram(const std::string& path) {
  const std::wstring program = QString::fromStdString(path).toStdWString();
  // Held open, shared for reading only, from the check to the start: the file cannot be
  // replaced, renamed or deleted in between.
  HANDLE file = CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  bool started = false;
  if (IsProgramImage(file)) {
    // The program named, not searched for; the command line is its quoted path alone (no path
    // holds a quote).
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // A console program started from this windowed one gets no console window of its own.
    const DWORD flags = GetConsoleWindow() != nullptr ? 0 : CREATE_NO_WINDOW;
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                             nullptr, nullptr, &startup, &process) != 0;
    if (started) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
  CloseHandle(file);
  return started;
}

}  // namespace duct
