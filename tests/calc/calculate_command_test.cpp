#include "calculate_command.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "application_info.h"
#include "formulas.h"
#include "recording_message_boxes.h"

namespace duct {
namespace {

constexpr auto kBlank = "(空白)";

enum class Direction { Forward, ReverseVelocityGiven, ReverseFlowGiven, ReverseNoneChosen };

// The window's fields as plain data, recording every write in order.
class FakeFields : public CalculatorFields {
 public:
  FakeFields(Direction direction, const std::map<Field, std::string>& texts)
      : direction_(direction) {
    texts_.fill(kBlank);
    for (const auto& [field, text] : texts) {
      texts_[Index(field)] = text;
    }
  }

  [[nodiscard]] bool IsForwardDirection() const override {
    return direction_ == Direction::Forward;
  }
  [[nodiscard]] bool IsVelocityDiameterGiven() const override {
    return direction_ == Direction::ReverseVelocityGiven;
  }
  [[nodiscard]] std::string Text(Field field) const override { return texts_[Index(field)]; }
  void SetText(Field field, std::string_view text) override {
    texts_[Index(field)] = text;
    writes.emplace_back(field, text);
  }

  std::vector<std::pair<Field, std::string>> writes;

 private:
  static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

  Direction direction_;
  std::array<std::string, 4> texts_;
};

const Message kInputError{"参数输入错误!", MessageIcon::Information, "提醒"};
const Message kRatioError{"方管两边长相差太大，请重输！", MessageIcon::None, kApplicationTitle};

using Writes = std::vector<std::pair<Field, std::string>>;

struct Run {
  FakeFields fields;
  RecordingMessageBoxes messages;
};

Run RunOnce(Direction direction, const std::map<Field, std::string>& texts,
            CalculationState& state) {
  Run run{FakeFields(direction, texts), {}};
  CmdStart_Click(run.fields, run.messages, state);
  return run;
}

struct AnswerCase {
  const char* name;
  friend std::ostream& operator<<(std::ostream& out, const AnswerCase& c) { return out << c.name; }
  Direction direction;
  std::map<Field, std::string> texts;
  Writes expectedWrites;  // in the order the command writes them
};

class AnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerTest, WritesExactlyTheAnswerFieldsInOrder) {
  CalculationState state;
  const auto run = RunOnce(GetParam().direction, GetParam().texts, state);
  EXPECT_TRUE(run.messages.shown.empty());
  EXPECT_EQ(run.fields.writes, GetParam().expectedWrites);
}

using enum Field;

INSTANTIATE_TEST_SUITE_P(
    ThreePaths, AnswerTest,
    testing::Values(
        AnswerCase{"BothSides",
                   Direction::Forward,
                   {{TxtA0, "500"}, {TxtA1, "400"}},
                   {{TxtD0, "444"}, {TxtD1, "493.8"}}},
        AnswerCase{"BothSidesNoTrailingZero",
                   Direction::Forward,
                   {{TxtA0, "200"}, {TxtA1, "400"}},
                   {{TxtD0, "267"}, {TxtD1, "309"}}},
        AnswerCase{"BothSidesHalfToEven",
                   Direction::Forward,
                   {{TxtA0, "105"}, {TxtA1, "147"}},
                   {{TxtD0, "122"}, {TxtD1, "137"}}},
        AnswerCase{"BothSidesOneZero",
                   Direction::Forward,
                   {{TxtA0, "500"}, {TxtA1, "0"}},
                   {{TxtD0, "0"}, {TxtD1, "0"}}},
        AnswerCase{"VelocityAndSide",
                   Direction::ReverseVelocityGiven,
                   {{TxtD0, "444"}, {TxtA0, "500"}},
                   {{TxtA1, "399"}, {TxtD1, "493.4"}}},
        AnswerCase{"VelocityNearHalfRatio",
                   Direction::ReverseVelocityGiven,
                   {{TxtD0, "400"}, {TxtA0, "201"}},
                   {{TxtA1, "40200"}, {TxtD1, "2123.1"}}},
        AnswerCase{"VelocitySquareDuct",
                   Direction::ReverseVelocityGiven,
                   {{TxtD0, "400"}},
                   {{TxtA0, "400"}, {TxtA1, "400"}, {TxtD1, "442.2"}}},
        AnswerCase{"VelocitySquareDuctEmptySide",
                   Direction::ReverseVelocityGiven,
                   {{TxtD0, "400"}, {TxtA0, ""}},
                   {{TxtA0, "400"}, {TxtA1, "400"}, {TxtD1, "442.2"}}},
        AnswerCase{"FlowAndSide",
                   Direction::ReverseFlowGiven,
                   {{TxtD1, "493.8"}, {TxtA0, "500"}},
                   {{TxtA1, "400"}, {TxtD0, "444"}}},
        AnswerCase{"FlowSearchNeedsStrictlyMore",
                   Direction::ReverseFlowGiven,
                   {{TxtD1, "884.5"}, {TxtA0, "800"}},
                   {{TxtA1, "801"}, {TxtD0, "800"}}},
        AnswerCase{"FlowSearchPassesEquality",
                   Direction::ReverseFlowGiven,
                   {{TxtD1, "1606"}, {TxtA0, "1000"}},
                   {{TxtA1, "2174"}, {TxtD0, "1370"}}},
        AnswerCase{"FlowSquareDuct",
                   Direction::ReverseFlowGiven,
                   {{TxtD1, "500"}, {TxtA0, "1.2.3"}},
                   {{TxtA0, "452"}, {TxtA1, "452"}, {TxtD0, "452"}}},
        // Neither given-diameter button chosen: the flow diameter is read, the other ignored.
        AnswerCase{"ReverseWithoutChoiceReadsFlow",
                   Direction::ReverseNoneChosen,
                   {{TxtD1, "493.8"}, {TxtA0, "500"}, {TxtD0, kBlank}},
                   {{TxtA1, "400"}, {TxtD0, "444"}}}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

struct RejectedCase {
  const char* name;
  friend std::ostream& operator<<(std::ostream& out, const RejectedCase& c) {
    return out << c.name;
  }
  Direction direction;
  std::map<Field, std::string> texts;
  Message expected;
};

class RejectedInputTest : public testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedInputTest, ShowsOneMessageAndWritesNothing) {
  CalculationState state;
  const auto run = RunOnce(GetParam().direction, GetParam().texts, state);
  EXPECT_EQ(run.messages.shown, std::vector<Message>{GetParam().expected});
  EXPECT_TRUE(run.fields.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RejectedInputTest,
    testing::Values(
        RejectedCase{"StartState", Direction::Forward, {}, kInputError},
        RejectedCase{
            "SideBNotANumber", Direction::Forward, {{TxtA0, "500"}, {TxtA1, "1.2.3"}}, kInputError},
        RejectedCase{
            "SideAPasted", Direction::Forward, {{TxtA0, "-500"}, {TxtA1, "400"}}, kInputError},
        RejectedCase{
            "VelocityBlank", Direction::ReverseVelocityGiven, {{TxtA0, "300"}}, kInputError},
        RejectedCase{"VelocityRatioHalf",
                     Direction::ReverseVelocityGiven,
                     {{TxtD0, "400"}, {TxtA0, "200"}},
                     kRatioError},
        RejectedCase{"VelocityRatioFive",
                     Direction::ReverseVelocityGiven,
                     {{TxtD0, "400"}, {TxtA0, "2000"}},
                     kRatioError},
        RejectedCase{"VelocityZeroSide",
                     Direction::ReverseVelocityGiven,
                     {{TxtD0, "400"}, {TxtA0, "0"}},
                     kRatioError},
        RejectedCase{"VelocityZeroWithSide",
                     Direction::ReverseVelocityGiven,
                     {{TxtD0, "0"}, {TxtA0, "300"}},
                     kRatioError},
        RejectedCase{
            "VelocityZeroSquare", Direction::ReverseVelocityGiven, {{TxtD0, "0"}}, kRatioError},
        RejectedCase{"FlowBlank", Direction::ReverseFlowGiven, {{TxtA0, "300"}}, kInputError},
        RejectedCase{"FlowRatioHalf",
                     Direction::ReverseFlowGiven,
                     {{TxtD1, "400"}, {TxtA0, "200"}},
                     kRatioError},
        RejectedCase{"FlowZeroWithSide",
                     Direction::ReverseFlowGiven,
                     {{TxtD1, "0"}, {TxtA0, "300"}},
                     kRatioError},
        RejectedCase{"FlowZeroSquare", Direction::ReverseFlowGiven, {{TxtD1, "0"}}, kRatioError},
        // Inputs that pass the checks but make a formula fail: the input-error message rather
        // than a stale value on show.
        RejectedCase{
            "BothSidesZero", Direction::Forward, {{TxtA0, "0"}, {TxtA1, "0"}}, kInputError},
        RejectedCase{"FlowDiameterBeyondRange",
                     Direction::Forward,
                     {{TxtA0, "340000000000000000000000000000000000000"},
                      {TxtA1, "340000000000000000000000000000000000000"}},
                     kInputError},
        RejectedCase{"SideBBeyondRange",
                     Direction::ReverseVelocityGiven,
                     {{TxtD0, "300000000000000000000000000000000000000"},
                      {TxtA0, "160000000000000000000000000000000000000"}},
                     kInputError},
        RejectedCase{"SideSearchLimit",
                     Direction::ReverseFlowGiven,
                     {{TxtD1, "10000000"}, {TxtA0, "5100000"}},
                     kInputError}),
    [](const testing::TestParamInfo<RejectedCase>& info) { return info.param.name; });

// A state left by an earlier successful run, to see what a later run keeps.
CalculationState EarlierState() {
  CalculationState state;
  RunOnce(Direction::ReverseFlowGiven, {{TxtD1, "1606"}, {TxtA0, "1000"}}, state);
  return state;
}

TEST(CalculationState, StartsAtZeroAndHoldsUnroundedValues) {
  CalculationState state;
  EXPECT_EQ(state, CalculationState{});
  RunOnce(Direction::Forward, {{TxtA0, "500"}, {TxtA1, "400"}}, state);
  EXPECT_EQ(state.SideA, 500.0F);
  EXPECT_EQ(state.SideB, 400.0F);
  EXPECT_EQ(state.VelocityDiameter, 444.44446F);
  EXPECT_EQ(state.FlowDiameter, 493.8251647949219F);
  EXPECT_EQ(state.TrialFlowDiameter, 0.0F);
}

TEST(CalculationState, SideSearchLeavesTheSideAndTheTrialThatEndedIt) {
  const auto state = EarlierState();
  EXPECT_EQ(state.SideA, 1000.0F);
  EXPECT_EQ(state.FlowDiameter, 1606.0F);
  EXPECT_EQ(state.SideB, 2174.0F);
  EXPECT_EQ(state.TrialFlowDiameter, CalcFlowDiameter(1000.0F, 2174.0F));
  EXPECT_GT(state.TrialFlowDiameter, state.FlowDiameter);
  EXPECT_EQ(state.VelocityDiameter, CalcVelocityDiameter(1000.0F, 2174.0F));
}

TEST(CalculationState, InputErrorKeepsTheSideThatConverted) {
  auto state = EarlierState();
  const auto before = state;
  RunOnce(Direction::Forward, {{TxtA0, "300"}, {TxtA1, "x"}}, state);
  EXPECT_EQ(state.SideA, 300.0F);
  EXPECT_EQ(state.SideB, before.SideB);
  EXPECT_EQ(state.FlowDiameter, before.FlowDiameter);
  EXPECT_EQ(state.VelocityDiameter, before.VelocityDiameter);
}

TEST(CalculationState, RatioErrorKeepsSideAAndTheGivenDiameter) {
  auto state = EarlierState();
  auto expected = state;
  RunOnce(Direction::ReverseVelocityGiven, {{TxtD0, "400"}, {TxtA0, "2000"}}, state);
  expected.SideA = 2000.0F;
  expected.VelocityDiameter = 400.0F;
  EXPECT_EQ(state, expected);
}

TEST(CalculationState, FailedStepKeepsItsValueWhileTheOthersRun) {
  auto state = EarlierState();
  auto expected = state;
  RunOnce(Direction::Forward, {{TxtA0, "0"}, {TxtA1, "0"}}, state);
  expected.SideA = 0.0F;
  expected.SideB = 0.0F;  // both diameters fail and keep their earlier values
  EXPECT_EQ(state, expected);

  const auto huge = "340000000000000000000000000000000000000";
  RunOnce(Direction::Forward, {{TxtA0, huge}, {TxtA1, huge}}, state);
  expected.SideA = expected.SideB = 3.4e38F;
  expected.VelocityDiameter = 3.4e38F;  // in range, while the flow diameter is not
  EXPECT_EQ(state, expected);
}

TEST(CalculationState, SideSearchPastItsLimitChangesNeitherSideNorTrial) {
  auto state = EarlierState();
  const auto before = state;
  RunOnce(Direction::ReverseFlowGiven, {{TxtD1, "10000000"}, {TxtA0, "5100000"}}, state);
  EXPECT_EQ(state.SideB, before.SideB);
  EXPECT_EQ(state.TrialFlowDiameter, before.TrialFlowDiameter);
  EXPECT_EQ(state.SideA, 5100000.0F);
  EXPECT_EQ(state.FlowDiameter, 10000000.0F);
}

// Inputs that pass the checks give the same texts whatever was calculated before.
TEST(CalculationState, AnswersDoNotDependOnEarlierRuns) {
  const std::vector<std::pair<Direction, std::map<Field, std::string>>> inputs = {
      {Direction::Forward, {{TxtA0, "500"}, {TxtA1, "320"}}},
      {Direction::ReverseVelocityGiven, {{TxtD0, "444"}}},
      {Direction::ReverseVelocityGiven, {{TxtD0, "444"}, {TxtA0, "500"}}},
      {Direction::ReverseFlowGiven, {{TxtD1, "884.5"}, {TxtA0, "800"}}},
      {Direction::ReverseFlowGiven, {{TxtD1, "500"}}},
  };
  for (const auto& [direction, texts] : inputs) {
    CalculationState fresh;
    const auto expected = RunOnce(direction, texts, fresh).fields.writes;
    for (const auto& [earlierDirection, earlierTexts] : inputs) {
      CalculationState used;
      RunOnce(earlierDirection, earlierTexts, used);
      RunOnce(Direction::Forward, {{TxtA0, "0"}, {TxtA1, "0"}}, used);  // a failed run too
      EXPECT_EQ(RunOnce(direction, texts, used).fields.writes, expected);
    }
  }
}

}  // namespace
}  // namespace duct
