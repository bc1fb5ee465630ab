#include <clocale>
#include <cstdlib>
#include <cstring>

#include "fuzz/c_library_reading.h"

namespace duct::fuzz {

// mingw-w64's strtof rounds correctly but has no form that takes a locale. A Windows program
// starts in the "C" locale and nothing here changes it: that is checked, not assumed.
float CLibraryReading(const char* number) {
  const char* locale = std::setlocale(LC_NUMERIC, nullptr);
  if (locale == nullptr || std::strcmp(locale, "C") != 0) {
    std::abort();
  }
  return std::strtof(number, nullptr);
}

}  // namespace duct::fuzz
