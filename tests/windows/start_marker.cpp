// A stand-in for the system-information tool: started, it leaves a file beside itself, named
// after the path it was started as with ".started" appended, and ends. The path is taken as
// Windows passes it, in UTF-16, so that a path in any script arrives whole.

#include <cstdio>
#include <string>

int wmain(int /*argc*/, wchar_t* argv[]) {
  std::FILE* marker = _wfopen((std::wstring(argv[0]) + L".started").c_str(), L"w");
  return marker != nullptr && std::fclose(marker) == 0 ? 0 : 1;
}
