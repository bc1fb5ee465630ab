// The checks must hold for the calculator and catch a faulty piece on the same input: each case
// hands in a plausible fault and an input that shows it.

#include "checks.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace duct::fuzz {
namespace {

std::vector<std::uint8_t> TextBytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> FloatBytes(float value) {
  const auto bits = std::bit_cast<std::array<std::uint8_t, sizeof value>>(value);
  return {bits.begin(), bits.end()};
}

// The options byte, then the field texts separated by NUL bytes.
std::vector<std::uint8_t> CommandBytes(std::uint8_t options,
                                       std::initializer_list<std::string_view> fields) {
  std::vector<std::uint8_t> bytes{options};
  for (const auto field : fields) {
    if (bytes.size() > 1) {
      bytes.push_back(0);
    }
    bytes.insert(bytes.end(), field.begin(), field.end());
  }
  return bytes;
}

template <typename Function>
struct FaultCase {
  const char* name;
  std::vector<std::uint8_t> input;
  Function faulty;
  friend std::ostream& operator<<(std::ostream& out, const FaultCase& c) { return out << c.name; }
};

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

// --- ParseLength ---

using ParseFault = FaultCase<ParseFunction>;
class ParseLengthCheck : public testing::TestWithParam<ParseFault> {};

TEST_P(ParseLengthCheck, PassesTheCalculatorAndCatchesTheFault) {
  EXPECT_EQ(CheckParseLength(GetParam().input), std::nullopt);
  EXPECT_NE(CheckParseLength(GetParam().input, GetParam().faulty), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ParseLengthCheck,
    testing::Values(
        ParseFault{"TakesASign", TextBytes("+5"),
                   [](std::string_view t) { return ParseLength(t.substr(t.starts_with('+'))); }},
        ParseFault{"TrimsANewline", TextBytes("12\n"),
                   [](std::string_view t) { return ParseLength(t.substr(0, t.find('\n'))); }},
        ParseFault{
            "RefusesATrailingPoint", TextBytes("12."),
            [](std::string_view t) { return t.ends_with('.') ? std::nullopt : ParseLength(t); }},
        // Just above the midpoint between 1 and the next float; a double holds the midpoint
        // itself, which then goes to the even neighbour 1.
        ParseFault{"RoundsTwiceThroughDouble", TextBytes("1.0000000596046447753906251"),
                   [](std::string_view t) -> std::optional<float> {
                     double value = 0.0;
                     std::from_chars(t.data(), t.data() + t.size(), value);
                     return static_cast<float>(value);
                   }},
        ParseFault{"SaturatesBeyondTheRange", TextBytes("1" + std::string(39, '0')),
                   [](std::string_view t) -> std::optional<float> {
                     return ParseLength(t).value_or(std::numeric_limits<float>::max());
                   }},
        ParseFault{"FlushesSubnormalsToZero",
                   TextBytes("0.000000000000000000000000000000000000000000001"),
                   [](std::string_view t) {
                     const auto v = ParseLength(t);
                     return v && *v < std::numeric_limits<float>::min() ? 0.0F : v;
                   }}),
    CaseName<ParseFault>);

// --- FormatLength ---

// The obvious printf version: all digits, "-0", "inf", trailing zeros.
std::string PrintfFixed(float value, int decimals) {
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%.*f", decimals, static_cast<double>(value));
  return text.data();
}

using FormatFault = FaultCase<FormatFunction>;
class FormatLengthCheck : public testing::TestWithParam<FormatFault> {};

TEST_P(FormatLengthCheck, PassesTheCalculatorAndCatchesTheFault) {
  EXPECT_EQ(CheckFormatLength(GetParam().input), std::nullopt);
  EXPECT_NE(CheckFormatLength(GetParam().input, GetParam().faulty), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FormatLengthCheck,
    testing::Values(FormatFault{"Truncates", FloatBytes(0.96F),
                                [](float v, int d) {
                                  const float scale = d > 0 ? 10.0F : 1.0F;
                                  return FormatLength(std::trunc(v * scale) / scale, d);
                                }},
                    FormatFault{"OffByALastDigit", FloatBytes(493.82516F),
                                [](float v, int d) { return FormatLength(v + 0.1F, d); }},
                    FormatFault{"EightDigits", FloatBytes(12345678.0F), PrintfFixed},
                    FormatFault{"NegativeZero", FloatBytes(-0.3F), PrintfFixed},
                    FormatFault{"Infinity", FloatBytes(std::numeric_limits<float>::infinity()),
                                PrintfFixed},
                    FormatFault{"TrailingZero", FloatBytes(2.0F), PrintfFixed},
                    FormatFault{"ExponentBelowTenMillion", FloatBytes(9999999.0F),
                                [](float v, int) {
                                  std::array<char, 64> text{};
                                  std::snprintf(text.data(), text.size(), "%.6E",
                                                static_cast<double>(v));
                                  return std::string(text.data());
                                }}),
    CaseName<FormatFault>);

// --- The calculate command ---

constexpr std::uint8_t kForward = 1;
constexpr std::uint8_t kVelocityGiven = 2;

using CommandFault = FaultCase<CommandFunction>;
class CalculateCommandCheck : public testing::TestWithParam<CommandFault> {};

TEST_P(CalculateCommandCheck, PassesTheCalculatorAndCatchesTheFault) {
  EXPECT_EQ(CheckCalculateCommand(GetParam().input), std::nullopt);
  EXPECT_NE(CheckCalculateCommand(GetParam().input, GetParam().faulty), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CalculateCommandCheck,
    testing::Values(
        CommandFault{"SaysNothing", CommandBytes(kForward, {"500", "400"}),
                     [](CalculatorFields&, MessageBoxService&, CalculationState&) {}},
        CommandFault{"TwoMessages", CommandBytes(kForward, {"500", "x"}),
                     [](CalculatorFields& f, MessageBoxService& m, CalculationState& s) {
                       CmdStart_Click(f, m, s);
                       m.ShowMessage(kInputErrorText, MessageIcon::Information, kInputErrorTitle);
                     }},
        CommandFault{"RatioMessageWithTheWrongTitle",
                     CommandBytes(kVelocityGiven, {"2000", "", "400"}),
                     [](CalculatorFields&, MessageBoxService& m, CalculationState&) {
                       m.ShowMessage(kRatioErrorText, MessageIcon::None, kInputErrorTitle);
                     }},
        CommandFault{"WritesAlongWithAMessage", CommandBytes(0, {"300"}),
                     [](CalculatorFields& f, MessageBoxService& m, CalculationState& s) {
                       CmdStart_Click(f, m, s);
                       f.SetText(Field::TxtA1, "0");
                     }},
        CommandFault{"ShowsANaN", CommandBytes(kForward, {"500", "400"}),
                     [](CalculatorFields& f, MessageBoxService& m, CalculationState& s) {
                       CmdStart_Click(f, m, s);
                       f.SetText(Field::TxtD1, FormatLength(std::nanf(""), 1));
                     }},
        CommandFault{"ShowsANegativeSide", CommandBytes(kVelocityGiven, {"500", "", "444"}),
                     [](CalculatorFields& f, MessageBoxService& m, CalculationState& s) {
                       CmdStart_Click(f, m, s);
                       f.SetText(Field::TxtA1, "-5");
                     }},
        CommandFault{"KeepsAnInfinity", CommandBytes(0, {"", "", "", "500"}),
                     [](CalculatorFields& f, MessageBoxService& m, CalculationState& s) {
                       CmdStart_Click(f, m, s);
                       s.TrialFlowDiameter = std::numeric_limits<float>::infinity();
                     }}),
    CaseName<CommandFault>);

}  // namespace
}  // namespace duct::fuzz
