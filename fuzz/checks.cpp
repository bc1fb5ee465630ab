#include "fuzz/checks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <clocale>  // newlocale, freelocale
#include <cmath>
#include <cstdio>
#include <cstdlib>  // strtof_l
#include <regex>
#include <string_view>

#include "calc/calculate_command.h"
#include "calc/formulas.h"

namespace duct::fuzz {
namespace {

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text.substr(0, 60)) {
    const auto byte = static_cast<unsigned char>(c);
    std::array<char, 5> escaped{};
    std::snprintf(escaped.data(), escaped.size(), "\\x%02X", byte);
    out += byte >= 0x20 && byte < 0x7F ? std::string(1, c) : std::string(escaped.data());
  }
  return out + (text.size() > 60 ? "\"..." : "\"");
}

std::string Describe(std::optional<float> value) {
  std::array<char, 48> text{};
  if (value) {
    std::snprintf(text.data(), text.size(), "%.9g (bits %08X)", static_cast<double>(*value),
                  std::bit_cast<std::uint32_t>(*value));
  }
  return value ? text.data() : "a failure";
}

// The number inside blanks and tabs when the text has the plain decimal form.
std::optional<std::string> PlainNumber(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  const auto last = text.find_last_not_of(" \t");
  const auto number = first == std::string_view::npos ? "" : text.substr(first, last - first + 1);
  const auto digits =
      std::count_if(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
  const auto points = std::count(number.begin(), number.end(), '.');
  if (digits == 0 || points > 1 || static_cast<std::size_t>(digits + points) != number.size()) {
    return std::nullopt;
  }
  return std::string(number);
}

std::optional<float> ReferenceReading(std::string_view text) {
  const auto number = PlainNumber(text);
  if (!number) {
    return std::nullopt;
  }
  const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  const float value = strtof_l(number->c_str(), nullptr, c);
  freelocale(c);
  return std::isinf(value) ? std::nullopt : std::optional<float>(value);
}

// "444", "493.8", "0.5" or "1.234568E+07": no trailing zeros, at least two exponent digits.
const std::regex kLengthText(
    "-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?|-?[1-9](\\.[0-9]*[1-9])?E\\+(0[0-9]|[1-9][0-9]+)");

Finding CheckFormatted(float value, int decimals) {
  const auto text = FormatLength(value, decimals);
  const auto context =
      Describe(value) + " with " + std::to_string(decimals) + " decimals gave " + Quote(text);
  if (!std::isfinite(value)) {
    return text.empty() ? Finding{} : context + ", not an empty text";
  }
  if (std::signbit(value)) {
    const auto positive = FormatLength(-value, decimals);
    return text == (positive == "0" ? positive : "-" + positive) ? Finding{}
                                                                 : context + ", not a mirror";
  }
  if (!std::regex_match(text, kLengthText)) {
    return context + ", not a length text";
  }
  const auto exponentAt = text.find('E');
  const auto mantissa = text.substr(0, exponentAt);
  const auto significant =
      mantissa.substr(std::min(mantissa.find_first_not_of("0."), mantissa.size()));
  if (std::count_if(significant.begin(), significant.end(), ::isdigit) > 7) {
    return context + ": more than seven significant digits";
  }
  double shown = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  if ((exponentAt != std::string::npos) != (shown >= 1e7)) {
    return context + ": exponent form must start at 10,000,000";
  }
  const auto point = mantissa.find('.');
  const int shownDecimals =
      point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  if (exponentAt == std::string::npos && shownDecimals > decimals) {
    return context + ": more decimals than asked for";
  }
  // Half a unit of the coarser of the decimals and the seventh significant digit, plus a float
  // step for the rounded value held as a float.
  const double lead = shown > 0 ? std::floor(std::log10(shown)) : 0.0;
  const double unit = std::max(std::pow(10.0, -decimals), std::pow(10.0, lead - 6));
  const double step = std::abs(static_cast<double>(std::nextafter(value, INFINITY)) - value);
  if (std::abs(shown - static_cast<double>(value)) > unit / 2 + 2 * step) {
    return context + ": more than half a unit of its last digit away";
  }
  return std::nullopt;
}

Finding CheckRun(const CalculatorInput& input, CalculateResult& result) {
  result = Calculate(input, result.state);
  const auto& s = result.state;
  for (const float value :
       {s.SideA, s.SideB, s.FlowDiameter, s.VelocityDiameter, s.TrialFlowDiameter}) {
    if (!std::isfinite(value)) {
      return std::string("a NaN or infinity in the calculation state");
    }
  }
  if (result.message) {
    const bool known =
        *result.message == InputErrorMessage() || *result.message == RatioErrorMessage();
    return !known                  ? "an unknown message " + Quote(result.message->text)
           : result.writes.empty() ? Finding{}
                                   : "a field written along with a message";
  }
  if (result.writes.empty()) {
    return std::string("neither an answer nor a message");
  }
  for (const auto& write : result.writes) {
    if (!std::regex_match(write.text, kLengthText)) {
      return "wrote " + Quote(write.text);
    }
  }
  return std::nullopt;
}

}  // namespace

Finding CheckParseLength(Bytes input) {
  const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  const auto parsed = ParseLength(text);
  const auto expected = ReferenceReading(text);
  const bool same =
      parsed.has_value() == expected.has_value() &&
      (!parsed || std::bit_cast<std::uint32_t>(*parsed) == std::bit_cast<std::uint32_t>(*expected));
  return same ? Finding{}
              : Quote(text) + " read as " + Describe(parsed) + ", expected " + Describe(expected);
}

Finding CheckFormatLength(Bytes input) {
  std::array<std::uint8_t, sizeof(float)> bits{};
  std::copy_n(input.begin(), std::min(input.size(), bits.size()), bits.begin());
  const auto value = std::bit_cast<float>(bits);
  auto finding = CheckFormatted(value, 0);
  return finding ? finding : CheckFormatted(value, 1);
}

Finding CheckCalculateCommand(Bytes input) {
  const std::string_view bytes(reinterpret_cast<const char*>(input.data()), input.size());
  const unsigned options = bytes.empty() ? 0U : static_cast<unsigned char>(bytes.front());
  CalculatorInput run{(options & 1U) != 0 ? Direction::Forward : Direction::Reverse,
                      (options & 2U) != 0 ? GivenDiameter::Velocity : GivenDiameter::Flow,
                      {}};
  auto rest = bytes.substr(std::min<std::size_t>(1, bytes.size()));
  for (auto& text : run.texts) {
    const auto end = std::min(rest.find('\0'), rest.size());
    text = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  CalculateResult result;
  for (int click = 1; click <= 2; ++click) {
    if (auto finding = CheckRun(run, result)) {
      std::string fields;
      for (const auto& text : run.texts) {
        fields += " " + Quote(text);
      }
      return "options " + std::to_string(options & 3U) + ", fields" + fields + ", click " +
             std::to_string(click) + ": " + *finding;
    }
    for (const auto& [field, text] : result.writes) {
      run.texts.at(static_cast<std::size_t>(field)) = text;
    }
  }
  return std::nullopt;
}

}  // namespace duct::fuzz
