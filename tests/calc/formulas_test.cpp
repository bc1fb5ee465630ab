// The formulas and the field texts against references written from their definitions, not
// from the code: each step in double from the widened floats, in the defined order, and one
// narrowing at the end. Compared bit for bit over inputs dense enough that a step taken in
// another precision shows. (The side search is checked against the plain count in
// side_search_test.cpp.)

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/formulas.h"
#include "calc/length_text.h"

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
  // The definitions' own examples.
  EXPECT_EQ(CalcFlowDiameter(500, 400), 493.8251647949219F);
  EXPECT_EQ(CalcFlowDiameter(800, 800), 884.47937F);
  EXPECT_EQ(CalcFlowDiameter(1000, 2173), 1606.0F);
  EXPECT_EQ(CalcVelocityDiameter(105, 147), 122.5F);
  EXPECT_EQ(CalcSideFromVelocityDiameter(444, 500), 399.28058F);
  EXPECT_EQ(CalcSideFromVelocityDiameter(400, 201), 40200.0F);
  EXPECT_EQ(CalcSquareSideFromFlowDiameter(500), 452.24344F);
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

TEST(CheckSideRatio, AcceptsOnlyStrictlyBetweenAHalfAndFive) {
  const struct {
    float a;
    float d;
    bool accepted;
  } cases[] = {
      // clang-format off
      {100, 200, false}, {101, 200, true}, {999, 200, true}, {1000, 200, false},
      {0, 200, false}, {300, 0, false}, {0, 0, false}, {-300, -400, true}, {300, -400, false},
      {3e38F, 1e-38F, false},  // a quotient beyond the float range
      {5.0F + 0x1p-21F, 1.0F + 0x1p-23F, false},  // 4.99999988 in double, 5 as a float
      // clang-format on
  };
  for (const auto& [a, d, accepted] : cases) {
    EXPECT_EQ(CheckSideRatio(a, d), accepted) << a << " / " << d;
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

// The field text as defined: halves to the even neighbour at 0 or 1 decimals, then at most seven
// significant digits in the C library's %G form, which writes "444", "0.5" and "1.234568E+07".
std::string FormatReference(float value, int decimals) {
  const double scale = decimals == 1 ? 10.0 : 1.0;
  const double scaled = double{value} * scale;
  double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += 1.0;
  }
  const auto rounded = static_cast<float>(whole / scale);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.7G", rounded == 0.0F ? 0.0 : double{rounded});
  return text.data();
}

TEST(FormatLength, WritesTheDefinedText) {
  std::string shown;  // the definition's examples
  for (const auto& [value, decimals] : {std::pair{444.44446F, 0},
                                        {493.82516F, 1},
                                        {309.04907F, 1},
                                        {122.5F, 0},
                                        {123.5F, 0},
                                        {231.25F, 1},
                                        {1234567.75F, 1},
                                        {12345678.0F, 0},
                                        {10000000.0F, 0}}) {
    shown += FormatLength(value, decimals) + " ";
  }
  EXPECT_EQ(shown, "444 493.8 309 122 124 231.2 1234568 1.234568E+07 1E+07 ");
  // Every multiple of 0.05 up to 50,000 (the halfway cases of both roundings), and floats of
  // every magnitude.
  std::mt19937 random(20261208);
  for (int i = -1'000'000; i <= 2'000'000; ++i) {
    const float value = i <= 1'000'000 ? static_cast<float>(i) / 20.0F
                                       : std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    for (const int decimals : {0, 1}) {
      if (std::isfinite(value)) {
        ASSERT_EQ(FormatLength(value, decimals), FormatReference(value, decimals))
            << value << " with " << decimals;
      }
    }
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
