#include "fuzz/checks.h"

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string_view>

#include "calc/calculate_command.h"
#include "calc/formulas.h"

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

// "444", "493.8", "0.5" or, from 10,000,000 on, "1.234568E+07": at most seven significant
// digits, no trailing zeros, at least two exponent digits.
const std::regex kLengthText(
    "-?(0|[1-9][0-9]{0,6}|(?=[0-9.]{1,8}$)[0-9]+\\.[0-9]*[1-9])|-?[1-9](\\.[0-9]{0,5}[1-9])?"
    "E\\+(0[7-9]|[1-9][0-9]+)");

// One run: an answer of length texts, or one of the two messages and no write; finite numbers.
Finding CheckRun(const CalculatorInput& input, CalculateResult& result) {
  result = Calculate(input, result.state);
  const auto& s = result.state;
  for (const float value :
       {s.SideA, s.SideB, s.FlowDiameter, s.VelocityDiameter, s.TrialFlowDiameter}) {
    if (!std::isfinite(value)) {
      return "a NaN or infinity kept";
    }
  }
  if (result.message) {
    const bool known =
        *result.message == InputErrorMessage() || *result.message == RatioErrorMessage();
    return known && result.writes.empty() ? Finding{} : "an unknown message, or writes with one";
  }
  for (const auto& write : result.writes) {
    if (!std::regex_match(write.text, kLengthText)) {
      return "wrote " + write.text;
    }
  }
  return result.writes.empty() ? "neither an answer nor a message" : Finding{};
}

}  // namespace

Finding CheckParseLength(Bytes input) {
  const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  const auto bits = [](std::optional<float> value) {
    return value ? std::to_string(std::bit_cast<std::uint32_t>(*value)) : "a failure";
  };
  const auto parsed = bits(ParseLength(text));
  const auto expected = bits(ReferenceReading(text));
  return parsed == expected
             ? Finding{}
             : "\"" + std::string(text) + "\" read as " + parsed + ", expected " + expected;
}

Finding CheckCalculateCommand(Bytes input) {
  const std::string_view bytes(reinterpret_cast<const char*>(input.data()), input.size());
  const unsigned options = bytes.empty() ? 0U : static_cast<unsigned char>(bytes.front());
  CalculatorInput run{(options & 1U) != 0 ? Direction::Forward : Direction::Reverse,
                      (options & 2U) != 0 ? GivenDiameter::Velocity : GivenDiameter::Flow,
                      {}};
  auto rest = bytes.substr(std::min<std::size_t>(1, bytes.size()));
  for (auto& text : run.texts) {
    text = rest.substr(0, rest.find('\0'));
    rest.remove_prefix(std::min(text.size() + 1, rest.size()));
  }
  CalculateResult result;
  for (int click = 1; click <= 2; ++click) {  // the second on the texts the first left
    if (auto finding = CheckRun(run, result)) {
      return "options " + std::to_string(options & 3U) + ", click " + std::to_string(click) +
             " on " + run.texts[0] + "|" + run.texts[1] + "|" + run.texts[2] + "|" + run.texts[3] +
             ": " + *finding;
    }
    for (const auto& [field, text] : result.writes) {
      run.texts.at(static_cast<std::size_t>(field)) = text;
    }
  }
  return std::nullopt;
}

}  // namespace duct::fuzz
