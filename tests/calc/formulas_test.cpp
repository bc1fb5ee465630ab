// The formulas and the field-text conversions, against the exact floats and texts they must give.
// (The side search is checked against the plain count in side_search_test.cpp.)

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "calc/formulas.h"

namespace duct {
namespace {

constexpr float kMax = std::numeric_limits<float>::max();
constexpr auto kFails = std::nullopt;

// Short names for the table below.
constexpr auto kFlow = CalcFlowDiameter;
constexpr auto kVelocity = CalcVelocityDiameter;
constexpr auto kSideB = CalcSideFromVelocityDiameter;
std::optional<float> Square(float dl, float /*unused*/) {
  return CalcSquareSideFromFlowDiameter(dl);
}
std::optional<float> Ratio(float a, float d) { return CheckSideRatio(a, d) ? 1.0F : 0.0F; }

TEST(Formulas, GiveTheExactFloats) {
  const struct {
    std::optional<float> (*formula)(float, float);
    float x;
    float y;
    std::optional<float> expected;
  } cases[] = {
      // clang-format off
      {kFlow, 500, 400, 493.8251647949219F}, {kFlow, 800, 800, 884.47937F},
      {kFlow, 500, 399, 493.19370F}, {kFlow, 1000, 2173, 1606.0F},
      {kFlow, 500, 0, 0.0F}, {kFlow, 0, 0, kFails}, {kFlow, -5, 5, kFails}, {kFlow, -5, 10, kFails},
      {kFlow, 3.4e38F, 3.4e38F, kFails},  // beyond the float range
      {kVelocity, 500, 400, 444.44446F}, {kVelocity, 105, 147, 122.5F}, {kVelocity, 500, 0, 0.0F},
      {kVelocity, 0, 0, kFails}, {kVelocity, 3.4e38F, 3.4e38F, 3.4e38F},
      {kSideB, 444, 500, 399.28058F}, {kSideB, 400, 201, 40200.0F}, {kSideB, 240, 300, 200.0F},
      {kSideB, 0, 300, kFails}, {kSideB, 400, 200, kFails}, {kSideB, 3e38F, 1.6e38F, kFails},
      {Square, 500, 0, 452.24344F}, {Square, 400, 0, 361.79477F}, {Square, 0, 0, 0.0F},
      // The ratio check: accepted (1) only strictly between 0.5 and 5.
      {Ratio, 100, 200, 0}, {Ratio, 101, 200, 1}, {Ratio, 999, 200, 1}, {Ratio, 1000, 200, 0},
      {Ratio, 0, 200, 0}, {Ratio, 300, 0, 0}, {Ratio, 0, 0, 0}, {Ratio, -300, -400, 1},
      {Ratio, 300, -400, 0}, {Ratio, 3e38F, 1e-38F, 0},  // a quotient beyond the float range
      {Ratio, 5.0F + 0x1p-21F, 1.0F + 0x1p-23F, 0},  // 4.99999988 in double, 5 as a float
      // clang-format on
  };
  for (const auto& [formula, x, y, expected] : cases) {
    EXPECT_EQ(formula(x, y), expected) << "arguments " << x << ", " << y;
  }
  EXPECT_EQ(CalcFlowDiameter(452.24344F, 452.24344F), 500.0F);  // the square side gives it back
}

TEST(FormatLength, RoundsHalvesToEvenAndShowsSevenDigitsAtMost) {
  const struct {
    float value;
    int decimals;
    const char* expected;
  } cases[] = {
      // clang-format off
      {444.44446F, 0, "444"}, {493.82516F, 1, "493.8"}, {309.04907F, 1, "309"}, {122.5F, 0, "122"},
      {123.5F, 0, "124"}, {231.25F, 1, "231.2"}, {0.25F, 1, "0.2"}, {-2.5F, 0, "-2"},
      {-0.3F, 0, "0"},
      {0.35F, 1, "0.3"}, {0.05F, 1, "0.1"},  // 0.3499999940..., 0.0500000007...: no halves
      {1234567.75F, 1, "1234568"}, {1234566.5F, 1, "1234566"}, {99999.95F, 1, "100000"},
      {9999999.0F, 0, "9999999"}, {10000000.0F, 0, "1E+07"}, {12345678.0F, 0, "1.234568E+07"},
      {kMax, 0, "3.402823E+38"}, {std::numeric_limits<float>::infinity(), 0, ""},
      // clang-format on
  };
  for (const auto& [value, decimals, expected] : cases) {
    EXPECT_EQ(FormatLength(value, decimals), expected) << value << " with " << decimals;
  }
}

TEST(LengthText, IgnoresTheProcessLocale) {
  // A comma locale, by its name on Linux or on Windows.
  const auto names = {"de_DE.UTF-8", "de-DE", "German_Germany.1252"};
  ASSERT_TRUE(std::any_of(names.begin(), names.end(), [](const char* name) {
    return std::setlocale(LC_ALL, name) != nullptr;
  })) << "the de_DE.UTF-8 locale is missing: run scripts/install-deps";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_TRUE(ParseLength("12.5") == 12.5F && !ParseLength("12,5"));
  EXPECT_EQ(FormatLength(12345678.0F, 0) + FormatLength(493.82516F, 1), "1.234568E+07493.8");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace duct
