#pragma once

// What must hold for any input, typed or pasted: the checks behind the fuzz targets and the
// corpus replay test. Each takes raw bytes, runs them through one part of the calculator and
// returns a description of the first property that failed, or nothing when all hold.

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

// The first byte chooses the options (bit 0: forward, bit 1: velocity diameter given); the
// rest, split at NUL bytes, fills side a, side b, Dv and DL. A run either answers, writing only
// length texts, or shows one of its two messages and writes nothing; its numbers stay finite.
// An answer is run once more on the texts it left, as a second click would.
Finding CheckCalculateCommand(Bytes input);

}  // namespace duct::fuzz
