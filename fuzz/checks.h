#pragma once

// What must hold for any input, typed or pasted: the checks behind the fuzz targets and the
// corpus replay test. Each takes raw bytes, runs them through one part of the calculator and
// returns a description of the first property that failed, or nothing when all hold.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calculate_command.h"
#include "formulas.h"

namespace duct::fuzz {

using Bytes = std::span<const std::uint8_t>;
using Finding = std::optional<std::string>;

// The piece under check; the tests of the checks hand in faulty ones to see them caught.
using ParseFunction = std::optional<float> (*)(std::string_view);
using FormatFunction = std::string (*)(float, int);
using CommandFunction = void (*)(CalculatorFields&, MessageBoxService&, CalculationState&);

// The bytes as a field text. ParseLength accepts exactly what a pattern of the rule accepts,
// and its value is the correctly rounded float of the number (or a failure beyond the range).
Finding CheckParseLength(Bytes input, ParseFunction parse = ParseLength);

// The first four bytes (zero-padded) as a float's bits, formatted with 0 and with 1 decimal.
// Every finite value gives a well-formed text of at most seven significant digits that stands
// for the value to the shown precision (read back by ParseLength in plain form); a negative
// value mirrors its positive.
Finding CheckFormatLength(Bytes input, FormatFunction format = FormatLength);

// The first byte sets the options (bit 0: both sides given, bit 1: velocity diameter given);
// the rest, split at NUL bytes, fills side a, side b, Dv and DL in turn, the placeholder
// standing in for a field the bytes do not reach. The command either answers, writing only
// length texts, or shows one of its two messages and writes nothing. After an answer the
// command runs once more on the fields as it left them, as a second click would.
Finding CheckCalculateCommand(Bytes input, CommandFunction command = CmdStart_Click);

}  // namespace duct::fuzz
