// The calculate button and the formulas against known answers (known_answers.txt), reckoned from
// the rules in exact arithmetic by known_answers.py, not with this code or its maths library.
// Every build, the Windows one under Wine among them, must give every row to the last character.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "calc/calculate_command.h"
#include "calc/formulas.h"

namespace duct {
namespace {

// A row's OPTIONS and texts ("~" an empty text) as the window would hand them over.
CalculatorInput Input(const std::vector<std::string>& words) {
  const char options = words.at(0).at(0);
  CalculatorInput input{options == 'A' ? Direction::Forward : Direction::Reverse,
                        options == 'V'   ? GivenDiameter::Velocity
                        : options == 'F' ? GivenDiameter::Flow
                                         : GivenDiameter::None,
                        {}};
  for (std::size_t i = 0; i < input.texts.size(); ++i) {
    input.texts.at(i) = words.at(i + 1) == "~" ? "" : words.at(i + 1);
  }
  return input;
}

// What a run does, as the table writes it: its message, then its writes in order.
std::string Outcome(const CalculateResult& result) {
  std::string outcome;
  if (result.message) {
    outcome = *result.message == CalculateMessage::InputError ? "input" : "ratio";
  }
  // Appended piece by piece: GCC 12 misreads a chain of + on strings at -O3 for Windows.
  for (const auto& [field, text] : result.writes) {
    const std::array<const char*, 4> names = {"A0", "A1", "D0", "D1"};
    if (!outcome.empty()) {
      outcome += ' ';
    }
    outcome.append(names.at(static_cast<std::size_t>(field))).append("=").append(text);
  }
  return outcome;
}

float Single(const std::string& text) {
  float value = 0.0F;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
  return value;
}

// A formula's row as the table writes it: the result (the expected text when it is that very
// single), "fails", or the ratio's verdict.
std::string Formula(const std::vector<std::string>& words, const std::string& expected) {
  const std::string& name = words.at(0);
  const float x = Single(words.at(1));
  const float y = words.size() > 2 ? Single(words.at(2)) : 0.0F;
  if (name == "ratio") {
    return CheckSideRatio(x, y) ? "accepted" : "rejected";
  }
  const auto result = name == "square"     ? CalcSquareSideFromFlowDiameter(x)
                      : name == "flow"     ? CalcFlowDiameter(x, y)
                      : name == "velocity" ? CalcVelocityDiameter(x, y)
                      : name == "side"     ? CalcSideFromVelocityDiameter(x, y)
                                           : SearchSideFromFlowDiameter(x, y);
  if (!result) {
    return "fails";
  }
  if (expected != "fails" && *result == Single(expected)) {
    return expected;
  }
  std::array<char, 32> written{};
  return {written.data(), std::to_chars(written.begin(), written.end(), *result).ptr};
}

TEST(KnownAnswers, EveryRowToTheLastCharacter) {
  std::ifstream table(DUCTCALC_KNOWN_ANSWERS);
  ASSERT_TRUE(table) << DUCTCALC_KNOWN_ANSWERS;
  int rows = 0;
  int number = 0;
  for (std::string line; std::getline(table, line);) {
    ++number;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const bool calculation = line.find(" : ") != std::string::npos;
    const auto split = line.find(calculation ? " : " : " = ");
    std::istringstream inputs(line.substr(0, split));
    const std::vector<std::string> words{std::istream_iterator<std::string>(inputs), {}};
    const std::string expected = line.substr(split + 3);
    EXPECT_EQ(calculation ? Outcome(Calculate(Input(words))) : Formula(words, expected), expected)
        << "known_answers.txt:" << number << ": " << line;
    ++rows;
  }
  EXPECT_GT(rows, 800);  // the whole table was read
}

}  // namespace
}  // namespace duct
