#include "checks.h"

#include <regex.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <clocale>  // newlocale, freelocale
#include <cmath>
#include <cstdio>
#include <cstdlib>  // strtof_l
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "application_info.h"
#include "calculate_command.h"
#include "formulas.h"

namespace duct::fuzz {
namespace {

constexpr std::string_view kPlaceholder = "(空白)";
constexpr int kMaxSignificantDigits = 7;
constexpr int kFirstExponentShown = 7;  // exponent form from 10,000,000 on

// A POSIX extended regular expression matched against the whole text. REG_STARTEND lets the
// text hold NUL bytes, and glibc's matcher does not recurse per character, so long pasted
// texts are fine.
class Pattern {
 public:
  explicit Pattern(const char* extendedRegex) {
    if (regcomp(&regex_, extendedRegex, REG_EXTENDED) != 0) {
      throw std::logic_error(std::string("bad pattern: ") + extendedRegex);
    }
  }
  ~Pattern() { regfree(&regex_); }
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;

  // The capture groups of a whole-text match (an unmatched group is empty), or nothing.
  [[nodiscard]] std::optional<std::vector<std::string_view>> Match(std::string_view text) const {
    std::array<regmatch_t, 8> groups{};
    groups[0].rm_so = 0;
    groups[0].rm_eo = static_cast<regoff_t>(text.size());
    // A terminated copy: AddressSanitizer's regexec interceptor reads the text up to a NUL
    // whatever REG_STARTEND says, and the fuzzer's bytes have none after them.
    const std::string terminated(text);
    if (regexec(&regex_, terminated.c_str(), groups.size(), groups.data(), REG_STARTEND) != 0) {
      return std::nullopt;
    }
    std::vector<std::string_view> captured;
    for (std::size_t i = 1; i <= regex_.re_nsub && i < groups.size(); ++i) {
      const auto start = static_cast<std::size_t>(std::max<regoff_t>(groups[i].rm_so, 0));
      const auto end = static_cast<std::size_t>(std::max<regoff_t>(groups[i].rm_eo, 0));
      captured.push_back(text.substr(start, end - start));  // -1, -1 when the group took no part
    }
    return captured;
  }

 private:
  regex_t regex_{};
};

// The "C" locale as an object, so the reference reading does not depend on the process locale.
class CLocale {
 public:
  CLocale() : locale_(newlocale(LC_ALL_MASK, "C", nullptr)) {
    if (locale_ == nullptr) {
      throw std::runtime_error("no C locale");
    }
  }
  ~CLocale() { freelocale(locale_); }
  CLocale(const CLocale&) = delete;
  CLocale& operator=(const CLocale&) = delete;
  [[nodiscard]] locale_t Get() const { return locale_; }

 private:
  locale_t locale_;
};

// A text for a message: printable ASCII as it is, other bytes as \xNN, long texts shortened.
std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 60;
  std::string out = "\"";
  for (const char c : text.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      std::array<char, 5> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "\\x%02X", byte);
      out += escaped.data();
    }
  }
  out += text.size() > kShown ? "\"... (" + std::to_string(text.size()) + " bytes)" : "\"";
  return out;
}

std::string Describe(float value) {
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%.9g (bits 0x%08X)", static_cast<double>(value),
                std::bit_cast<std::uint32_t>(value));
  return text.data();
}

std::string Describe(std::optional<float> value) {
  return value ? Describe(*value) : std::string("a failure");
}

// --- ParseLength ---------------------------------------------------------------------------

// The rule written as a pattern: blanks and tabs, then digits with at most one point and at
// least one digit, then blanks and tabs. Group 1 is the number.
constexpr auto kFieldNumber = "^[ \t]*([0123456789]+[.]?[0123456789]*|[.][0123456789]+)[ \t]*$";

// The correctly rounded float of a plain decimal number by the C library, or a failure when it
// rounds beyond the float range.
std::optional<float> ReferenceValue(std::string_view number) {
  const CLocale c;
  const std::string terminated(number);
  const float value = strtof_l(terminated.c_str(), nullptr, c.Get());
  if (std::isinf(value)) {
    return std::nullopt;
  }
  return value;
}

bool SameBits(std::optional<float> x, std::optional<float> y) {
  return x.has_value() == y.has_value() &&
         (!x || std::bit_cast<std::uint32_t>(*x) == std::bit_cast<std::uint32_t>(*y));
}

// --- FormatLength --------------------------------------------------------------------------

// A length text without a sign, split into its parts.
struct LengthText {
  std::string_view whole;     // "0" or digits without a leading zero; the mantissa's first digit
  std::string_view fraction;  // digits, the last not 0; empty without a point
  std::optional<int> exponent;
};

// Plain form "444", "493.8", "0.5" or exponent form "1.234568E+07" (at least two exponent
// digits, no more than needed); no trailing zeros after a point, no point without digits.
std::optional<LengthText> ReadLengthText(std::string_view text) {
  static constexpr auto kPlain = "^(0|[123456789][0123456789]*)([.]([0123456789]*[123456789]))?$";
  static constexpr auto kExponent =
      "^([123456789])([.]([0123456789]*[123456789]))?E[+](0[0123456789]|[123456789][0123456789]+)"
      "$";
  if (const auto plain = Pattern(kPlain).Match(text)) {
    return LengthText{(*plain)[0], (*plain)[2], std::nullopt};
  }
  if (const auto scientific = Pattern(kExponent).Match(text)) {
    int exponent = 0;
    const auto digits = (*scientific)[3];
    std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    return LengthText{(*scientific)[0], (*scientific)[2], exponent};
  }
  return std::nullopt;
}

int SignificantDigits(const LengthText& text) {
  if (text.whole != "0") {
    return static_cast<int>(text.whole.size() + text.fraction.size());
  }
  const auto firstNonZero = text.fraction.find_first_not_of('0');
  return firstNonZero == std::string_view::npos
             ? 0
             : static_cast<int>(text.fraction.size() - firstNonZero);
}

// Power of ten of the leading digit; 0 for the text "0".
int LeadingDigitExponent(const LengthText& text) {
  if (text.exponent) {
    return *text.exponent;
  }
  if (text.whole != "0") {
    return static_cast<int>(text.whole.size()) - 1;
  }
  const auto firstNonZero = text.fraction.find_first_not_of('0');
  return firstNonZero == std::string_view::npos ? 0 : -static_cast<int>(firstNonZero) - 1;
}

// Distance from a float to its neighbour away from zero, as a bound for one rounding to float.
double FloatStep(double x) {
  const double magnitude = std::abs(x);
  if (magnitude < static_cast<double>(std::numeric_limits<float>::min())) {
    return static_cast<double>(std::numeric_limits<float>::denorm_min());
  }
  return std::ldexp(1.0, std::ilogb(magnitude) - (std::numeric_limits<float>::digits - 1));
}

Finding CheckFormatted(float value, int decimals, FormatFunction format) {
  const auto text = format(value, decimals);
  const auto context = [&] {
    return Describe(value) + " with " + std::to_string(decimals) + " decimals gave " + Quote(text);
  };
  if (!std::isfinite(value)) {
    return text.empty() ? Finding{} : context() + ", not an empty text";
  }
  if (std::signbit(value)) {
    const auto positive = format(-value, decimals);
    const auto mirrored = positive == "0" ? positive : "-" + positive;
    return text == mirrored ? Finding{} : context() + ", not the mirror of " + Quote(positive);
  }
  const auto parts = ReadLengthText(text);
  if (!parts) {
    return context() + ", not a length text";
  }
  if (SignificantDigits(*parts) > kMaxSignificantDigits) {
    return context() + ": more than seven significant digits";
  }
  if (!parts->exponent && parts->fraction.size() > static_cast<std::size_t>(decimals)) {
    return context() + ": more decimals than asked for";
  }
  if (parts->exponent && *parts->exponent < kFirstExponentShown) {
    return context() + ": exponent form below 10,000,000";
  }

  // What the text stands for: the value rounded to the decimals, or to seven significant
  // digits where those are coarser.
  const double unit =
      std::max(std::pow(10.0, -decimals),
               std::pow(10.0, LeadingDigitExponent(*parts) - (kMaxSignificantDigits - 1)));
  double shown = 0.0;
  if (parts->exponent) {
    std::from_chars(text.data(), text.data() + text.size(), shown, std::chars_format::scientific);
  } else {
    const auto back = ParseLength(text);
    if (!back) {
      return context() + ", which ParseLength does not read";
    }
    shown = static_cast<double>(*back);
  }
  // Half a unit, plus one float step each for the rounded value held as a float and for the
  // text read back into one.
  const double tolerance = unit / 2 + FloatStep(value) + FloatStep(shown);
  if (std::abs(shown - static_cast<double>(value)) > tolerance) {
    return context() + ", which stands for " + std::to_string(shown) +
           ": more than half a unit of its last digit away";
  }
  return std::nullopt;
}

// --- The calculate command -----------------------------------------------------------------

class RecordingFields final : public CalculatorFields {
 public:
  RecordingFields(bool forward, bool velocityGiven, std::array<std::string, 4> texts)
      : forward_(forward), velocityGiven_(velocityGiven), texts_(std::move(texts)) {}

  [[nodiscard]] bool IsForwardDirection() const override { return forward_; }
  [[nodiscard]] bool IsVelocityDiameterGiven() const override { return velocityGiven_; }
  [[nodiscard]] std::string Text(Field field) const override { return texts_.at(Index(field)); }
  void SetText(Field field, std::string_view utf8Text) override {
    texts_.at(Index(field)) = utf8Text;
    writes.emplace_back(utf8Text);
  }

  std::vector<std::string> writes;

 private:
  static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

  bool forward_;
  bool velocityGiven_;
  std::array<std::string, 4> texts_;
};

struct ShownMessage {
  std::string text;
  MessageIcon icon;
  std::string title;
};

class RecordingMessages final : public MessageBoxService {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override {
    shown.push_back({std::string(text), icon, std::string(title)});
  }
  std::vector<ShownMessage> shown;
};

bool IsCommandMessage(const ShownMessage& message) {
  const bool inputError = message.text == kInputErrorText &&
                          message.icon == MessageIcon::Information &&
                          message.title == kInputErrorTitle;
  const bool ratioError = message.text == kRatioErrorText && message.icon == MessageIcon::None &&
                          message.title == kApplicationTitle;
  return inputError || ratioError;
}

bool IsFinite(const CalculationState& state) {
  return std::isfinite(state.SideA) && std::isfinite(state.SideB) &&
         std::isfinite(state.FlowDiameter) && std::isfinite(state.VelocityDiameter) &&
         std::isfinite(state.TrialFlowDiameter);
}

Finding CheckOneClick(RecordingFields& fields, CalculationState& state, CommandFunction command) {
  RecordingMessages messages;
  fields.writes.clear();
  command(fields, messages, state);
  if (!IsFinite(state)) {
    return std::string("a NaN or infinity in the calculation state");
  }
  if (messages.shown.size() > 1) {
    return std::to_string(messages.shown.size()) + " messages";
  }
  if (messages.shown.size() == 1) {
    if (!IsCommandMessage(messages.shown.front())) {
      return "an unknown message " + Quote(messages.shown.front().text) + " titled " +
             Quote(messages.shown.front().title);
    }
    return fields.writes.empty() ? Finding{} : "a field written along with a message";
  }
  if (fields.writes.empty()) {
    return std::string("neither an answer nor a message");
  }
  const auto wrong = std::find_if(
      fields.writes.begin(), fields.writes.end(),
      [](const std::string& text) { return text != kPlaceholder && !ReadLengthText(text); });
  return wrong == fields.writes.end() ? Finding{} : "wrote " + Quote(*wrong);
}

}  // namespace

Finding CheckParseLength(Bytes input, ParseFunction parse) {
  const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  const auto parsed = parse(text);
  const auto match = Pattern(kFieldNumber).Match(text);
  const auto expected = match ? ReferenceValue(match->front()) : std::nullopt;
  if (!SameBits(parsed, expected)) {
    return Quote(text) + " read as " + Describe(parsed) + ", expected " + Describe(expected);
  }
  return std::nullopt;
}

Finding CheckFormatLength(Bytes input, FormatFunction format) {
  std::array<std::uint8_t, sizeof(float)> bits{};
  std::copy_n(input.begin(), std::min(input.size(), bits.size()), bits.begin());
  const auto value = std::bit_cast<float>(bits);
  auto finding = CheckFormatted(value, 0, format);
  return finding ? finding : CheckFormatted(value, 1, format);
}

Finding CheckCalculateCommand(Bytes input, CommandFunction command) {
  const std::string_view bytes(reinterpret_cast<const char*>(input.data()), input.size());
  const auto options = bytes.empty() ? 0U : static_cast<unsigned char>(bytes.front());
  const bool forward = (options & 1U) != 0;
  const bool velocityGiven = (options & 2U) != 0;

  std::array<std::string, 4> texts;
  texts.fill(std::string(kPlaceholder));
  auto rest = bytes.empty() ? bytes : bytes.substr(1);
  for (std::size_t field = 0; field < texts.size() && !rest.empty(); ++field) {
    const auto end = std::min(rest.find('\0'), rest.size());
    texts.at(field) = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }

  RecordingFields fields(forward, velocityGiven, texts);
  CalculationState state;
  for (int click = 1; click <= 2; ++click) {
    if (auto finding = CheckOneClick(fields, state, command)) {
      std::string inputs;
      for (const auto& text : texts) {
        inputs += " " + Quote(text);
      }
      return "options " + std::to_string(options & 3U) + ", fields" + inputs + ", click " +
             std::to_string(click) + ": " + *finding;
    }
    if (fields.writes.empty()) {
      break;  // a message: the fields are unchanged, so a second click would do the same
    }
  }
  return std::nullopt;
}

}  // namespace duct::fuzz
