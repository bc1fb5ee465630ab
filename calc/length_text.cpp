// The two text conversions of the fields. Both use <charconv>, which never looks at the process
// locale, so a comma locale cannot change the decimal point.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

#include "calc/length_text.h"

namespace duct {
namespace {

std::string_view TrimBlanksAndTabs(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one '.', and at least one digit. from_chars alone would also take a
// sign, "inf" and "nan", so the form is checked first.
bool IsPlainDecimal(std::string_view text) {
  const auto points = std::count(text.begin(), text.end(), '.');
  const auto digits = std::count_if(text.begin(), text.end(), IsDigit);
  return points <= 1 && digits > 0 && static_cast<std::size_t>(points + digits) == text.size();
}

// True when the number is at least 1, i.e. a digit other than 0 stands before the point.
bool HasNonZeroWholePart(std::string_view number) {
  const auto wholePart = number.substr(0, number.find('.'));
  return wholePart.find_first_not_of('0') != std::string_view::npos;
}

}  // namespace

std::optional<float> ParseLength(std::string_view utf8Text) {
  const auto number = TrimBlanksAndTabs(utf8Text);
  if (!IsPlainDecimal(number)) {
    return std::nullopt;
  }
  float value = 0.0F;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // from_chars also reports a value too small for a float; its nearest float is 0.
    if (HasNonZeroWholePart(number)) {
      return std::nullopt;
    }
    return 0.0F;
  }
  if (error != std::errc{} || end != number.data() + number.size()) {
    return std::nullopt;
  }
  return value;
}

std::string FormatLength(float value, int decimals) {
  if (!std::isfinite(value)) {
    return {};
  }
  // The fields show whole millimetres or tenths.
  const double scale = decimals > 0 ? 10.0 : 1.0;
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  const auto rounded =
      static_cast<float>(std::nearbyint(static_cast<double>(value) * scale) / scale);
  if (rounded == 0.0F) {
    return "0";  // also for -0, which the rounding gives for small negative values
  }
  // Seven significant digits, correctly rounded, without trailing zeros, in exponent form from
  // 10,000,000 on ("1.234568e+07"), as printf's %.7g; the exponent is written with a capital E.
  std::array<char, 32> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded,
                                 std::chars_format::general, 7)
                       .ptr;
  std::replace(buffer.data(), end, 'e', 'E');
  return {buffer.data(), end};
}

}  // namespace duct
