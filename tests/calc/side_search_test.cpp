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

// The float `ulps` steps away from a positive x.
float Nudge(float x, int ulps) {
  return std::bit_cast<float>(std::bit_cast<std::int32_t>(x) + ulps);
}

// The count stops where the running maximum of the trials first exceeds dl, so a table of them
// answers every dl of one a at once: every whole a up to 3 m, dl at and next to the trial
// diameters of 17 sides from a/10 to 3.5a. Then seeded random pairs: a from subnormal to huge, a
// third negative (its side below -a), dl a few floats from the trial of a side up to 10^4; and
// zeros, infinities and NaN where the count stops at once (elsewhere it runs half a second to
// its limit).
TEST(SideSearch, MatchesTheCount) {
  for (float a = 1.0F; a <= 3000.0F; ++a) {
    const int low = std::max(1, static_cast<int>(a / 10.0F));
    const int top = static_cast<int>(a * 3.5F) + 1;
    std::vector<float> runningMax(top + 9, 0.0F);
    for (int b = 1; b <= top + 8; ++b) {
      runningMax[b] = std::max(runningMax[b - 1], CalcFlowDiameter(a, float(b)).value_or(0.0F));
    }
    for (int step = 0; step <= 16; ++step) {
      for (const int ulps : {-1, 0, 1}) {
        const int side = low + (top - low) * step / 16;
        const float dl = Nudge(*CalcFlowDiameter(a, static_cast<float>(side)), ulps);
        const auto stop = std::upper_bound(runningMax.begin(), runningMax.end(), dl);
        ASSERT_EQ(SearchSideFromFlowDiameter(dl, a),
                  stop == runningMax.end() ? CountSides(dl, a) : float(stop - runningMax.begin()))
            << std::setprecision(9) << "a = " << a << ", dl = " << dl;
      }
    }
  }

  std::mt19937 random(20240611);
  const auto logUniform = [&random](double low, double high) {
    return static_cast<float>(low *
                              std::pow(high / low, std::uniform_real_distribution<>()(random)));
  };
  std::vector<std::pair<float, float>> pairs;  // (a, dl)
  for (int i = 0; i < 2000; ++i) {
    const float b = std::floor(logUniform(1, 1e4));
    const float a = i % 3 != 0 ? logUniform(1e-45, 3e38) : -(b + logUniform(1.01, 3e38));
    pairs.emplace_back(a, Nudge(*CalcFlowDiameter(a, b), static_cast<int>(random() % 7) - 3));
  }
  for (const float a : {0.0F, -0.0F, -1.0F, -2.5F, 1e-45F, 3e38F, HUGE_VALF, -HUGE_VALF, NAN}) {
    for (const float dl : {-1.0F, -HUGE_VALF, NAN, 0.0F, -0.0F, 1e-45F}) {
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
