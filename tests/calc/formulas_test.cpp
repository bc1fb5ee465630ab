// What the formulas must do whatever their exact values, over a dense grid of lengths: both
// diameters are symmetric in the two sides and never fall as a side grows. (Their values to the
// bit are known_answers_test.cpp's; the side search against the plain count is
// side_search_test.cpp's.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "calc/formulas.h"

namespace duct {
namespace {

// Lengths as users type them and as the formulas give them, in ascending order: whole
// millimetres, tenths, arbitrary floats from a hundredth to beyond a float's square root, and
// the edges.
std::vector<float> Lengths() {
  std::vector<float> lengths = {
      0.0F, 1e-45F, 1.0F, 16777216.0F, 1.8e19F, 3e38F, std::numeric_limits<float>::max()};
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> exponent(-2.0, 21.0);
  for (int i = 0; i < 200; ++i) {
    const auto x = static_cast<float>(std::pow(10.0, exponent(random)));
    lengths.insert(lengths.end(), {x, std::round(x), std::round(x * 10.0F) / 10.0F});
  }
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

TEST(Formulas, SymmetricAndNeverFallingAsASideGrows) {
  const std::vector<float> lengths = Lengths();
  for (const float a : lengths) {
    std::optional<float> lastFlow;  // of the sides so far, the last that did not fail
    std::optional<float> lastVelocity;
    for (const float b : lengths) {
      const auto flow = CalcFlowDiameter(a, b);
      const auto velocity = CalcVelocityDiameter(a, b);
      ASSERT_EQ(flow, CalcFlowDiameter(b, a)) << a << ", " << b;
      ASSERT_EQ(velocity, CalcVelocityDiameter(b, a)) << a << ", " << b;
      ASSERT_FALSE(flow && lastFlow && *flow < *lastFlow) << a << ", " << b;
      ASSERT_FALSE(velocity && lastVelocity && *velocity < *lastVelocity) << a << ", " << b;
      lastFlow = flow ? flow : lastFlow;
      lastVelocity = velocity ? velocity : lastVelocity;
    }
  }
}

}  // namespace
}  // namespace duct
