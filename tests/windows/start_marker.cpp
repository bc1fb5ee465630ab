// A stand-in for the system-information tool: started, it leaves a file beside itself, named
// after the path it was started as with ".started" appended, and ends.

#include <cstdio>
#include <string>

int main(int /*argc*/, char* argv[]) {
  std::FILE* marker = std::fopen((std::string(argv[0]) + ".started").c_str(), "w");
  return marker != nullptr && std::fclose(marker) == 0 ? 0 : 1;
}
