#include <clocale>  // newlocale, freelocale
#include <cstdlib>  // strtof_l

#include "fuzz/c_library_reading.h"

namespace duct::fuzz {

float CLibraryReading(const char* number) {
  const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  const float value = strtof_l(number, nullptr, c);
  freelocale(c);
  return value;
}

}  // namespace duct::fuzz
