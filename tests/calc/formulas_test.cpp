// The formulas against references written from their definitions, not from the code: each step
// in double from the widened floats, in the defined order, and one narrowing at the end.
// Compared bit for bit over inputs dense enough that a step taken in another precision shows.
// (The side search is checked against the plain count in side_search_test.cpp.)

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "calc/formulas.h"

namespace duct {
namespace {

constexpr float kMax = std::numeric_limits<float>::max();
constexpr auto kFails = std::nullopt;

std::optional<float> Narrowed(double value) {
  const auto narrowed = static_cast<float>(value);
  return std::isfinite(value) && std::isfinite(narrowed) ? std::optional(narrowed) : kFails;
}

// A division by zero is a failure of the formula.
std::optional<float> Flow(float a, float b) {
  const double sum = double{a} + double{b};
  if (sum == 0.0) {
    return kFails;
  }
  const double quotient = std::pow(double{a}, 3.0) * std::pow(double{b}, 3.0) / sum;
  return quotient < 0.0 ? kFails : Narrowed(std::pow(quotient, 0.2) * 1.27);
}

std::optional<float> Velocity(float a, float b) {
  const double sum = double{a} + double{b};
  return sum == 0.0 ? kFails : Narrowed(2.0 * double{a} * double{b} / sum);
}

std::optional<float> SideB(float dv, float a) {
  if (dv == 0.0F || a == 0.0F) {
    return kFails;
  }
  const double difference = 2.0 / double{dv} - 1.0 / double{a};
  return difference == 0.0 ? kFails : Narrowed(1.0 / difference);
}

std::optional<float> Square(float dl) { return Narrowed(double{dl} / (std::pow(0.5, 0.2) * 1.27)); }

// Lengths as users type them and as the formulas give them: whole millimetres, tenths,
// arbitrary floats from a hundredth to beyond a float's square root, and the edges.
std::vector<float> Lengths() {
  std::vector<float> lengths = {0.0F, 1e-45F, 1.0F, 16777216.0F, 1.8e19F, 3e38F, kMax};
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> exponent(-2.0, 21.0);
  for (int i = 0; i < 200; ++i) {
    const auto x = static_cast<float>(std::pow(10.0, exponent(random)));
    lengths.insert(lengths.end(), {x, std::round(x), std::round(x * 10.0F) / 10.0F});
  }
  return lengths;
}

TEST(Formulas, GiveTheDefinedFloatsBitForBit) {
  // The definitions' own examples, where a wrong precision shows in the digits.
  EXPECT_EQ(CalcFlowDiameter(500, 400), 493.8251647949219F);
  EXPECT_EQ(CalcFlowDiameter(1000, 2173), 1606.0F);
  EXPECT_EQ(CalcFlowDiameter(452.24344F, 452.24344F), 500.0F);  // the square side gives it back
  const std::vector<float> lengths = Lengths();
  for (const float x : lengths) {
    ASSERT_EQ(CalcSquareSideFromFlowDiameter(x), Square(x)) << x;
    for (const float y : lengths) {
      for (const float signedY : {y, -y}) {
        ASSERT_EQ(CalcFlowDiameter(x, signedY), Flow(x, signedY)) << x << ", " << signedY;
        ASSERT_EQ(CalcVelocityDiameter(x, signedY), Velocity(x, signedY)) << x << ", " << signedY;
        ASSERT_EQ(CalcSideFromVelocityDiameter(x, signedY), SideB(x, signedY))
            << x << ", " << signedY;
      }
    }
  }
}

// Accepted strictly between 0.5 and 5, the quotient formed in double and compared as a float;
// a quotient that cannot be formed, or lies beyond the float range, is rejected.
bool RatioAccepted(float a, float d) {
  const auto ratio = d == 0.0F ? std::nullopt : Narrowed(double{a} / double{d});
  return ratio && 0.5F < *ratio && *ratio < 5.0F;
}

TEST(CheckSideRatio, AcceptsOnlyStrictlyBetweenAHalfAndFive) {
  EXPECT_FALSE(CheckSideRatio(100, 200) || CheckSideRatio(1000, 200) || CheckSideRatio(300, 0));
  EXPECT_TRUE(CheckSideRatio(101, 200) && CheckSideRatio(999, 200));
  EXPECT_FALSE(CheckSideRatio(5.0F + 0x1p-21F, 1.0F + 0x1p-23F));  // 4.99999988, 5 as a float
  const std::vector<float> lengths = Lengths();
  for (const float a : lengths) {
    for (const float d : lengths) {
      for (const float signedD : {d, -d, d * 0.5F, d * 5.0F}) {
        ASSERT_EQ(CheckSideRatio(a, signedD), RatioAccepted(a, signedD)) << a << " / " << signedD;
      }
    }
  }
}

TEST(SideSearch, CountsUpToTheLastWholeNumberAFloatHolds) {
  // A side a whose trial diameter still grows at 2^24: DL at the side before gives 2^24.
  const float last = 16777216.0F;
  float a = 1e6F;
  while (CalcFlowDiameter(a, last) == CalcFlowDiameter(a, last - 1.0F)) {
    a += 1.0F;
  }
  EXPECT_EQ(SearchSideFromFlowDiameter(*CalcFlowDiameter(a, last - 1.0F), a), last);
  EXPECT_EQ(SearchSideFromFlowDiameter(*CalcFlowDiameter(a, last), a), kFails);
}

}  // namespace
}  // namespace duct
