// The side search must give the answer of the plain count b = 1, 2, 3, ... to the bit, for every
// float input. The count itself is the reference.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "calc/formulas.h"

namespace duct {
namespace {

// Sides 1, 2, 3, ... until a trial diameter exceeds dl; a failed trial keeps the one before.
std::optional<float> CountSides(float dl, float a) {
  float side = 0.0F;
  float trial = 0.0F;
  while (trial <= dl) {
    if (side == 16777216.0F) {
      return std::nullopt;
    }
    side = static_cast<float>(static_cast<double>(side) + 1.0);
    trial = CalcFlowDiameter(a, side).value_or(trial);
  }
  return side;
}

// The float `ulps` steps above a positive x, or below it for a negative count.
float Nudge(float x, int ulps) {
  return std::bit_cast<float>(std::bit_cast<std::int32_t>(x) + ulps);
}

// Every whole a up to 3 m, dl at and next to the trial diameters of sides from a/10 to 3.5a.
// Reference: the count stops at the first side whose running maximum of trials exceeds dl, read
// from a table of every trial up to a little past the sides sampled.
TEST(SideSearch, MatchesTheCountOnAGridOfDucts) {
  for (float a = 1.0F; a <= 3000.0F; ++a) {
    const auto trial = [a](int b) { return CalcFlowDiameter(a, static_cast<float>(b)); };
    const int low = std::max(1, static_cast<int>(a / 10.0F));
    const int top = static_cast<int>(a * 3.5F) + 1;
    std::vector<float> runningMax(top + 9, 0.0F);
    float* const table = runningMax.data();  // plain stores keep the Debug build quick
    for (int b = 1; b <= top + 8; ++b) {
      table[b] = std::max(table[b - 1], trial(b).value_or(0.0F));
    }
    for (int step = 0; step <= 16; ++step) {
      for (const int ulps : {-1, 0, 1}) {
        const float dl = Nudge(trial(low + (top - low) * step / 16).value(), ulps);
        const auto stop = std::upper_bound(runningMax.begin(), runningMax.end(), dl);
        const auto expected = stop == runningMax.end()
                                  ? CountSides(dl, a)
                                  : std::optional(static_cast<float>(stop - runningMax.begin()));
        ASSERT_EQ(SearchSideFromFlowDiameter(dl, a), expected)
            << std::setprecision(9) << "a = " << a << ", dl = " << dl;
      }
    }
  }
}

// Seeded random pairs, the plain count as reference: ducts in and around the accepted ratio; a
// from subnormal to huge, a third negative (down to just past the side), with dl a few floats
// from the trial of a side up to 10^4; zeros, infinities, NaN and the extremes.
TEST(SideSearch, MatchesTheCountOnRandomPairs) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto logUniform = [&](double low, double high) {
    return static_cast<float>(low * std::pow(high / low, unit(random)));
  };
  std::vector<std::pair<float, float>> pairs;  // (a, dl)
  for (int i = 0; i < 600; ++i) {
    const float a = logUniform(1.0, 20000.0);
    pairs.emplace_back(a, a / logUniform(0.4, 20.0));
  }
  for (int i = 0; i < 2000; ++i) {
    const float b = std::floor(logUniform(1.0, 1e4));
    const float a = i % 3 != 0 ? logUniform(1e-45, 3e38) : -(b + logUniform(1.01, 3e38));
    pairs.emplace_back(a,
                       Nudge(CalcFlowDiameter(a, b).value(), static_cast<int>(random() % 7) - 3));
  }
  // Zeros, infinities, NaN and the extremes, in the pairs where the count stops at side 0 or 1:
  // the others run it to its limit, half a second or more each.
  for (const float a :
       {0.0F, -0.0F, -1.0F, -2.5F, 1e-45F, 1e-40F, 3e38F, HUGE_VALF, -HUGE_VALF, NAN}) {
    for (const float dl : {-1.0F, -1e-45F, -HUGE_VALF, NAN, 0.0F, -0.0F, 1e-45F, 1e-40F}) {
      if (!(dl >= 0.0F) || CalcFlowDiameter(a, 1.0F).value_or(0.0F) > dl) {
        pairs.emplace_back(a, dl);
      }
    }
  }
  for (const auto& [a, dl] : pairs) {
    ASSERT_EQ(SearchSideFromFlowDiameter(dl, a), CountSides(dl, a))
        << std::setprecision(9) << "a = " << a << ", dl = " << dl;
  }
}

}  // namespace
}  // namespace duct
