#include "calc/calculate_command.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace duct {
namespace {

constexpr auto kBlank = "(空白)";
const std::string kHuge = "340000000000000000000000000000000000000";
const std::string kInputError = "input error";
constexpr auto kRatioError = "ratio";

// The options as the window can show them: the forward direction (A), or the reverse one with
// the velocity diameter given (V), the flow diameter given (F), or neither chosen (N).
enum class Options { A, V, F, N };
using enum Options;

// The texts of side a, side b, Dv and DL; those left out are empty.
CalculatorInput Input(Options options, std::array<std::string, 4> texts) {
  return {options == A ? Direction::Forward : Direction::Reverse,
          options == V   ? GivenDiameter::Velocity
          : options == F ? GivenDiameter::Flow
                         : GivenDiameter::None,
          std::move(texts)};
}

// What a run does, as one line: its writes in order ("A1=399 D1=493.4"), or its message.
std::string Outcome(const CalculateResult& result) {
  std::string outcome = !result.message                                   ? ""
                        : *result.message == CalculateMessage::InputError ? kInputError
                                                                          : kRatioError;
  for (const auto& [field, text] : result.writes) {
    const std::array<std::string, 4> names = {"A0", "A1", "D0", "D1"};
    outcome +=
        (outcome.empty() ? "" : " ") + names.at(static_cast<std::size_t>(field)) + "=" + text;
  }
  return outcome;
}

TEST(Calculate, AnswersOrShowsOneMessage) {
  const struct {
    Options options;
    std::array<std::string, 4> texts;
    std::string expected;
  } cases[] = {
      // clang-format off
      {A, {"500", "400"}, "D0=444 D1=493.8"}, {A, {"200", "400"}, "D0=267 D1=309"},  // no ".0"
      {A, {"105", "147"}, "D0=122 D1=137"}, {A, {"500", "0"}, "D0=0 D1=0"},  // 122.5 to even
      {V, {"500", "", "444"}, "A1=399 D1=493.4"}, {V, {"201", "", "400"}, "A1=40200 D1=2123.1"},
      {V, {kBlank, "", "400"}, "A0=400 A1=400 D1=442.2"},  // the square duct
      {F, {"500", "", "", "493.8"}, "A1=400 D0=444"},
      {F, {"800", "", "", "884.5"}, "A1=801 D0=800"},
      {F, {"1000", "", "", "1606"}, "A1=2174 D0=1370"},
      {F, {"1.2.3", "", "", "500"}, "A0=452 A1=452 D0=452"},
      {N, {"500", "", kBlank, "493.8"}, "A1=400 D0=444"},  // reads DL
      {A, {kBlank, kBlank, kBlank, kBlank}, kInputError}, {A, {"500", "1.2.3"}, kInputError},
      {V, {"300", "", kBlank}, kInputError},
      {V, {"200", "", "400"}, kRatioError}, {V, {"2000", "", "400"}, kRatioError},  // 0.5, 5
      {V, {"0", "", "400"}, kRatioError}, {V, {"300", "", "0"}, kRatioError},
      {V, {"", "", "0"}, kRatioError}, {F, {"300", "", "", kBlank}, kInputError},
      {F, {"200", "", "", "400"}, kRatioError}, {F, {"", "", "", "0"}, kRatioError},
      // Inputs that pass the checks but make a formula fail: the fields of the path blanked,
      // rather than an earlier run's answer left beside them, and the input-error message.
      {A, {"0", "0"}, kInputError + " D0=(空白) D1=(空白)"},
      {A, {kHuge, kHuge}, kInputError + " D0=(空白) D1=(空白)"},
      {V, {"16" + kHuge.substr(2), "", "30" + kHuge.substr(2)},
       kInputError + " A1=(空白) D1=(空白)"},
      {V, {"", "", kHuge}, kInputError + " A0=(空白) A1=(空白) D1=(空白)"},  // the square's DL
      {F, {"5100000", "", "", "10000000"},
       kInputError + " A1=(空白) D0=(空白)"},  // the side search's limit
      // clang-format on
  };

  for (const auto& [options, texts, expected] : cases) {
    EXPECT_EQ(Outcome(Calculate(Input(options, texts))), expected)
        << texts[0] << " | " << texts[1] << " | " << texts[2] << " | " << texts[3];
  }
}

}  // namespace
}  // namespace duct
