#include "calc/calculate_command.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "calc/formulas.h"

namespace duct {

void PrintTo(const FieldText& write, std::ostream* out) {
  *out << static_cast<int>(write.field) << "=\"" << write.text << '"';
}

namespace {

constexpr auto kBlank = "(空白)";
using enum Field;

// The options as the window can show them.
enum class Options { Forward, VelocityGiven, FlowGiven, NoneGiven };

// The texts of side a, side b, Dv and DL; those left out are empty.
CalculatorInput Input(Options options, std::array<std::string, 4> texts) {
  return {options == Options::Forward ? Direction::Forward : Direction::Reverse,
          options == Options::VelocityGiven ? GivenDiameter::Velocity
          : options == Options::FlowGiven   ? GivenDiameter::Flow
                                            : GivenDiameter::None,
          texts};
}

struct RunCase {
  const char* name;
  Options options;
  std::array<std::string, 4> texts;
  std::vector<FieldText> writes;  // in the order written
  std::optional<Message> message = std::nullopt;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class CalculateTest : public testing::TestWithParam<RunCase> {};

TEST_P(CalculateTest, AnswersOrShowsOneMessageAndWritesNothing) {
  const auto result = Calculate(Input(GetParam().options, GetParam().texts), {});
  EXPECT_EQ(result.writes, GetParam().writes);
  EXPECT_EQ(result.message, GetParam().message);
}

const auto kInputError = InputErrorMessage();
const auto kRatioError = RatioErrorMessage();
const std::string kHuge = "340000000000000000000000000000000000000";

INSTANTIATE_TEST_SUITE_P(
    Paths, CalculateTest,
    testing::Values(
        RunCase{"BothSides", Options::Forward, {"500", "400"}, {{TxtD0, "444"}, {TxtD1, "493.8"}}},
        RunCase{
            "NoTrailingZero", Options::Forward, {"200", "400"}, {{TxtD0, "267"}, {TxtD1, "309"}}},
        RunCase{"HalfToEven", Options::Forward, {"105", "147"}, {{TxtD0, "122"}, {TxtD1, "137"}}},
        RunCase{"OneSideZero", Options::Forward, {"500", "0"}, {{TxtD0, "0"}, {TxtD1, "0"}}},
        RunCase{"Velocity",
                Options::VelocityGiven,
                {"500", "", "444"},
                {{TxtA1, "399"}, {TxtD1, "493.4"}}},
        RunCase{"VelocityNearHalf",
                Options::VelocityGiven,
                {"201", "", "400"},
                {{TxtA1, "40200"}, {TxtD1, "2123.1"}}},
        RunCase{"VelocitySquare",
                Options::VelocityGiven,
                {kBlank, "", "400"},
                {{TxtA0, "400"}, {TxtA1, "400"}, {TxtD1, "442.2"}}},
        RunCase{"VelocitySquareEmptySide",
                Options::VelocityGiven,
                {"", "", "400"},
                {{TxtA0, "400"}, {TxtA1, "400"}, {TxtD1, "442.2"}}},
        RunCase{
            "Flow", Options::FlowGiven, {"500", "", "", "493.8"}, {{TxtA1, "400"}, {TxtD0, "444"}}},
        RunCase{"FlowNeedsStrictlyMore",
                Options::FlowGiven,
                {"800", "", "", "884.5"},
                {{TxtA1, "801"}, {TxtD0, "800"}}},
        RunCase{"FlowPassesEquality",
                Options::FlowGiven,
                {"1000", "", "", "1606"},
                {{TxtA1, "2174"}, {TxtD0, "1370"}}},
        RunCase{"FlowSquare",
                Options::FlowGiven,
                {"1.2.3", "", "", "500"},
                {{TxtA0, "452"}, {TxtA1, "452"}, {TxtD0, "452"}}},
        RunCase{"NoneGivenReadsFlow",
                Options::NoneGiven,
                {"500", "", kBlank, "493.8"},
                {{TxtA1, "400"}, {TxtD0, "444"}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refusals, CalculateTest,
    testing::Values(
        RunCase{"StartState", Options::Forward, {kBlank, kBlank, kBlank, kBlank}, {}, kInputError},
        RunCase{"SideBNotANumber", Options::Forward, {"500", "1.2.3"}, {}, kInputError},
        RunCase{"PastedSign", Options::Forward, {"-500", "400"}, {}, kInputError},
        RunCase{"VelocityBlank", Options::VelocityGiven, {"300", "", kBlank}, {}, kInputError},
        RunCase{"RatioHalf", Options::VelocityGiven, {"200", "", "400"}, {}, kRatioError},
        RunCase{"RatioFive", Options::VelocityGiven, {"2000", "", "400"}, {}, kRatioError},
        RunCase{"ZeroSide", Options::VelocityGiven, {"0", "", "400"}, {}, kRatioError},
        RunCase{"VelocityZero", Options::VelocityGiven, {"300", "", "0"}, {}, kRatioError},
        RunCase{"VelocityZeroSquare", Options::VelocityGiven, {"", "", "0"}, {}, kRatioError},
        RunCase{"FlowBlank", Options::FlowGiven, {"300", "", "", kBlank}, {}, kInputError},
        RunCase{"FlowRatioHalf", Options::FlowGiven, {"200", "", "", "400"}, {}, kRatioError},
        RunCase{"FlowZero", Options::FlowGiven, {"300", "", "", "0"}, {}, kRatioError},
        RunCase{"FlowZeroSquare", Options::FlowGiven, {"", "", "", "0"}, {}, kRatioError},
        // Inputs that pass the checks but make a formula fail: the input-error message rather
        // than an earlier run's value on show.
        RunCase{"BothSidesZero", Options::Forward, {"0", "0"}, {}, kInputError},
        RunCase{"FlowBeyondRange", Options::Forward, {kHuge, kHuge}, {}, kInputError},
        RunCase{"SideBBeyondRange",
                Options::VelocityGiven,
                {"160000000000000000000000000000000000000", "",
                 "300000000000000000000000000000000000000"},
                {},
                kInputError},
        RunCase{"SideSearchLimit",
                Options::FlowGiven,
                {"5100000", "", "", "10000000"},
                {},
                kInputError}),
    [](const auto& info) { return std::string(info.param.name); });

// The numbers a run leaves: every value its steps could compute, unrounded; a failed step
// keeps the value from before.
TEST(CalculationState, KeepsWhatEachStepComputed) {
  const auto searched = Calculate(Input(Options::FlowGiven, {"1000", "", "", "1606"}), {}).state;
  EXPECT_EQ(searched,
            (CalculationState{1000.0F, 2174.0F, 1606.0F, *CalcVelocityDiameter(1000.0F, 2174.0F),
                              *CalcFlowDiameter(1000.0F, 2174.0F)}));

  auto expected = searched;
  expected.SideA = 300.0F;  // converted before side b failed
  EXPECT_EQ(Calculate(Input(Options::Forward, {"300", "x"}), searched).state, expected);

  expected.SideA = 2000.0F;  // the ratio check failed after both conversions
  expected.VelocityDiameter = 400.0F;
  EXPECT_EQ(Calculate(Input(Options::VelocityGiven, {"2000", "", "400"}), searched).state,
            expected);

  expected = searched;
  expected.SideA = expected.SideB = 0.0F;  // both diameters fail on 0 / 0
  EXPECT_EQ(Calculate(Input(Options::Forward, {"0", "0"}), searched).state, expected);

  expected.SideA = expected.SideB = expected.VelocityDiameter = 3.4e38F;  // DL overflows
  EXPECT_EQ(Calculate(Input(Options::Forward, {kHuge, kHuge}), expected).state, expected);

  expected = searched;
  expected.SideA = 5100000.0F;  // the search past its limit keeps side b and its trial
  expected.FlowDiameter = 10000000.0F;
  expected.VelocityDiameter = *CalcVelocityDiameter(5100000.0F, searched.SideB);
  EXPECT_EQ(Calculate(Input(Options::FlowGiven, {"5100000", "", "", "10000000"}), searched).state,
            expected);
}

// Inputs that pass the checks give the same texts whatever was calculated before.
TEST(CalculationState, AnswersDoNotDependOnEarlierRuns) {
  const std::vector<CalculatorInput> inputs = {Input(Options::Forward, {"500", "320"}),
                                               Input(Options::VelocityGiven, {"", "", "444"}),
                                               Input(Options::VelocityGiven, {"500", "", "444"}),
                                               Input(Options::FlowGiven, {"800", "", "", "884.5"}),
                                               Input(Options::FlowGiven, {"", "", "", "500"}),
                                               Input(Options::Forward, {"0", "0"})};
  for (const auto& input : inputs) {
    const auto fresh = Calculate(input, {}).writes;
    for (const auto& earlier : inputs) {
      EXPECT_EQ(Calculate(input, Calculate(earlier, {}).state).writes, fresh);
    }
  }
}

}  // namespace
}  // namespace duct
