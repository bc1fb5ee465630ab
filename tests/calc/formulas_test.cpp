#include "calc/formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace duct {
namespace {

constexpr float kSideLimit = 16777216.0F;  // 2^24

struct TwoSides {
  float a;
  float b;
  std::optional<float> expected;
  friend std::ostream& operator<<(std::ostream& out, const TwoSides& c) {
    return out << "(" << c.a << ", " << c.b << ")";
  }
};

class FlowDiameterTest : public testing::TestWithParam<TwoSides> {};

TEST_P(FlowDiameterTest, MatchesTheGivenBits) {
  EXPECT_EQ(CalcFlowDiameter(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FlowDiameterTest,
    testing::Values(TwoSides{500, 400, 493.8251647949219F}, TwoSides{400, 500, 493.8251647949219F},
                    TwoSides{800, 800, 884.47937F}, TwoSides{500, 399, 493.19370F},
                    TwoSides{1000, 2173, 1606.0F}, TwoSides{500, 0, 0.0F},
                    TwoSides{0, 0, std::nullopt},                // 0 / 0
                    TwoSides{-5, 5, std::nullopt},               // a + b = 0
                    TwoSides{-5, 10, std::nullopt},              // negative quotient under the root
                    TwoSides{3.4e38F, 3.4e38F, std::nullopt}));  // beyond the float range

class VelocityDiameterTest : public testing::TestWithParam<TwoSides> {};

TEST_P(VelocityDiameterTest, MatchesTheGivenBits) {
  EXPECT_EQ(CalcVelocityDiameter(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, VelocityDiameterTest,
                         testing::Values(TwoSides{500, 400, 444.44446F}, TwoSides{105, 147, 122.5F},
                                         TwoSides{500, 0, 0.0F}, TwoSides{0, 0, std::nullopt},
                                         TwoSides{-7, 7, std::nullopt},
                                         TwoSides{3.4e38F, 3.4e38F, 3.4e38F}));

struct DiameterAndSide {
  float diameter;
  float a;
  std::optional<float> expected;
  friend std::ostream& operator<<(std::ostream& out, const DiameterAndSide& c) {
    return out << "(D " << c.diameter << ", a " << c.a << ")";
  }
};

class SideFromVelocityDiameterTest : public testing::TestWithParam<DiameterAndSide> {};

TEST_P(SideFromVelocityDiameterTest, MatchesTheGivenBits) {
  EXPECT_EQ(CalcSideFromVelocityDiameter(GetParam().diameter, GetParam().a), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SideFromVelocityDiameterTest,
    testing::Values(DiameterAndSide{444, 500, 399.28058F}, DiameterAndSide{400, 201, 40200.0F},
                    DiameterAndSide{240, 300, 200.0F}, DiameterAndSide{400, 400, 400.0F},
                    DiameterAndSide{0, 300, std::nullopt},              // 2 / 0
                    DiameterAndSide{400, 0, std::nullopt},              // 1 / 0
                    DiameterAndSide{400, 200, std::nullopt},            // 2/Dv = 1/a
                    DiameterAndSide{3.0e38F, 1.6e38F, std::nullopt}));  // b beyond the range

class SideSearchTest : public testing::TestWithParam<DiameterAndSide> {};

TEST_P(SideSearchTest, FindsTheFirstWholeSideAboveTheDiameter) {
  EXPECT_EQ(SearchSideFromFlowDiameter(GetParam().diameter, GetParam().a), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SideSearchTest,
    testing::Values(DiameterAndSide{493.8F, 500, 400.0F},
                    // DL(800, 800) = 884.47937 does not exceed 884.5.
                    DiameterAndSide{884.5F, 800, 801.0F},
                    // DL(1000, 2173) equals 1606 exactly: equality does not stop the search.
                    DiameterAndSide{1606, 1000, 2174.0F}, DiameterAndSide{-1, 500, 0.0F},
                    DiameterAndSide{0, 500, 1.0F}, DiameterAndSide{-1, 0, 0.0F}));

// The result is the smallest whole b >= 1 with DL(a, b) > dl, checked against the formula for a
// grid of sides and diameters.
TEST(SideSearchProperty, ResultIsTheSmallestSideWhoseDiameterExceedsTheGivenOne) {
  for (const float a : {1.0F, 37.5F, 250.0F, 800.0F, 1000.0F, 2999.9F}) {
    for (const float dl : {0.5F, 10.0F, 333.3F, 884.5F, 1606.0F, 2500.0F, 4321.0F}) {
      if (!CheckSideRatio(a, dl)) {
        continue;
      }
      const auto b = SearchSideFromFlowDiameter(dl, a);
      ASSERT_TRUE(b.has_value()) << a << " " << dl;
      EXPECT_EQ(*b, std::floor(*b));
      EXPECT_GT(*CalcFlowDiameter(a, *b), dl) << a << " " << dl;
      if (*b > 1.0F) {
        EXPECT_LE(*CalcFlowDiameter(a, *b - 1.0F), dl) << a << " " << dl;
      }
    }
  }
}

// A float counts in steps of one only up to 2^24: a diameter that even that side cannot pass
// ends in a failure, not an endless loop.
TEST(SideSearchLimit, EndsWithAFailureWhenTheLastCountableSideIsNotEnough) {
  const float a = 1.0e7F;
  const float atLimit = *CalcFlowDiameter(a, kSideLimit);
  const float justBelow = std::nextafter(atLimit, 0.0F);

  const auto reached = SearchSideFromFlowDiameter(justBelow, a);
  ASSERT_TRUE(reached.has_value());
  EXPECT_LE(*reached, kSideLimit);
  EXPECT_GT(*CalcFlowDiameter(a, *reached), justBelow);

  EXPECT_EQ(SearchSideFromFlowDiameter(atLimit, a), std::nullopt);
  EXPECT_EQ(SearchSideFromFlowDiameter(3.0e38F, 2.0e38F), std::nullopt);
}

TEST(SquareSide, Examples) {
  const auto side = CalcSquareSideFromFlowDiameter(500);
  ASSERT_EQ(side, 452.24344F);
  EXPECT_EQ(CalcFlowDiameter(*side, *side), 500.0F);  // exactly back again
  EXPECT_EQ(CalcSquareSideFromFlowDiameter(400), 361.79477F);
  EXPECT_EQ(CalcSquareSideFromFlowDiameter(0), 0.0F);
}

// For a square duct DL is the side times 1.27 * 0.5^0.2, up to rounding; close to the top of the
// float range both directions still give a value.
TEST(SquareDuct, FactorHoldsNearTheTopOfTheFloatRange) {
  constexpr double kSquareFactor = 1.1055992153860776;
  const auto flow = CalcFlowDiameter(3.0e38F, 3.0e38F);
  ASSERT_TRUE(flow.has_value());
  EXPECT_NEAR(*flow / (3.0e38 * kSquareFactor), 1.0, 1e-7);
  const auto side = CalcSquareSideFromFlowDiameter(3.4028235e38F);
  ASSERT_TRUE(side.has_value());
  EXPECT_NEAR(*side * kSquareFactor / 3.4028235e38, 1.0, 1e-7);
}

struct RatioCase {
  float a;
  float d;
  bool accepted;
  friend std::ostream& operator<<(std::ostream& out, const RatioCase& c) {
    return out << c.a << " / " << c.d;
  }
};

class SideRatioTest : public testing::TestWithParam<RatioCase> {};

TEST_P(SideRatioTest, AcceptsOnlyRatiosStrictlyBetweenHalfAndFive) {
  EXPECT_EQ(CheckSideRatio(GetParam().a, GetParam().d), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, SideRatioTest,
    testing::Values(RatioCase{100, 200, false}, RatioCase{101, 200, true},   // 0.5, 0.505
                    RatioCase{999, 200, true}, RatioCase{1000, 200, false},  // 4.995, 5
                    RatioCase{0, 200, false}, RatioCase{300, 0, false}, RatioCase{0, 0, false},
                    RatioCase{-300, -400, true}, RatioCase{300, -400, false},
                    // 4.99999988 in double, but exactly 5 once narrowed to a float.
                    RatioCase{5.0F + 0x1p-21F, 1.0F + 0x1p-23F, false},
                    RatioCase{3.0e38F, 1.0e-38F, false}));  // quotient beyond the float range

}  // namespace
}  // namespace duct
