#pragma once

// The texts of the calculator's fields: what a field's text reads as a length, and how a length
// is written into a field. Both are independent of the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace duct {

// Field text to length: ASCII digits with at most one '.', at least one digit, blanks and tabs
// around it ignored; rounded correctly to the nearest float. Anything else fails (signs,
// exponents, grouping, "inf", full-width digits, the placeholder, ...), as does a value beyond
// the float range.
std::optional<float> ParseLength(std::string_view utf8Text);

// Length to field text with 0 or 1 decimals: halves go to the even neighbour, at most seven
// significant digits, no trailing zeros; exponent form ("1.234568E+07") from 10,000,000 on.
// Returns an empty text for an infinity or a NaN.
std::string FormatLength(float value, int decimals);

}  // namespace duct
