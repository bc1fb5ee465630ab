#include "fuzz/checks.h"

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "calc/length_text.h"

namespace duct::fuzz {
namespace {

// The plain form checked by hand (blanks and tabs around digits with at most one point), then
// read by the C library, which rounds correctly (glibc and mingw-w64 alike), in the "C" locale
// every program starts in; nothing here changes it, and that is checked, not assumed.
std::optional<float> ReferenceReading(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  const std::string number(first == std::string_view::npos
                               ? ""
                               : text.substr(first, text.find_last_not_of(" \t") - first + 1));
  const auto digits = std::count_if(number.begin(), number.end(), ::isdigit);
  const auto points = std::count(number.begin(), number.end(), '.');
  if (digits == 0 || points > 1 || static_cast<std::size_t>(digits + points) != number.size()) {
    return std::nullopt;
  }
  if (std::strcmp(std::setlocale(LC_NUMERIC, nullptr), "C") != 0) {
    std::abort();
  }
  const float value = std::strtof(number.c_str(), nullptr);
  return std::isinf(value) ? std::nullopt : std::optional<float>(value);
}

}  // namespace

Finding CheckParseLength(Bytes input) {
  const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  const auto bits = [](std::optional<float> value) {
    return value ? std::to_string(std::bit_cast<std::uint32_t>(*value)) : "a failure";
  };
  const auto parsed = bits(ParseLength(text));
  const auto expected = bits(ReferenceReading(text));
  if (parsed == expected) {
    return std::nullopt;
  }
  // Appended piece by piece: GCC 12 at -O3 warns wrongly of overlapping copies in a "..." + string.
  std::string finding = "\"";
  finding.append(text).append("\" read as ").append(parsed).append(", expected ").append(expected);
  return finding;
}

}  // namespace duct::fuzz
