#pragma once

// What must hold for any input, typed or pasted: the check behind the fuzz target and the
// corpus replay test. It takes raw bytes, runs them through the calculator's reading of a field
// and returns a description of the property that failed, or nothing when it holds.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace duct::fuzz {

using Bytes = std::span<const std::uint8_t>;
using Finding = std::optional<std::string>;

// The bytes as a field text: ParseLength accepts exactly blanks and tabs around digits with at
// most one point, and reads the correctly rounded float (the C library's reading), failing
// beyond the float range.
Finding CheckParseLength(Bytes input);

}  // namespace duct::fuzz
