#include "calc/formulas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace duct {
namespace {

// The constants enter the arithmetic as the nearest doubles; pin their bits so that no
// compiler or edit can change a result silently.
constexpr double kFlowFactor = 1.27;
constexpr double kFifthRoot = 0.2;
static_assert(std::bit_cast<std::uint64_t>(kFlowFactor) == 0x3FF451EB851EB852);
static_assert(std::bit_cast<std::uint64_t>(kFifthRoot) == 0x3FC999999999999A);

// Largest whole number up to which a float counts in steps of one.
constexpr std::int64_t kSideSearchLimit = 16777216;

// A trial diameter at most dl * (1 - kTrialMargin) proves that the side count passes its side;
// see SearchSideFromFlowDiameter.
constexpr double kTrialMargin = 0x1p-22;

// Sides the search counts one by one before it bisects again.
constexpr std::int64_t kCountRun = 32;

// The one narrowing of every formula: a NaN, or a value that rounds beyond the float range,
// is an arithmetic failure.
std::optional<float> Narrow(double value) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const auto narrowed = static_cast<float>(value);
  if (!std::isfinite(narrowed)) {
    return std::nullopt;
  }
  return narrowed;
}

double Cube(float x) { return std::pow(static_cast<double>(x), 3.0); }

// DL with a^3 supplied by the caller, so that the side search can take it out of its loop and
// still get bit-identical trial diameters.
std::optional<float> FlowDiameterWithCubeOfA(double aCubed, float a, float b) {
  const double product = aCubed * Cube(b);
  const double sum = static_cast<double>(a) + static_cast<double>(b);
  if (sum == 0.0) {
    return std::nullopt;
  }
  const double quotient = product / sum;
  if (quotient < 0.0) {
    return std::nullopt;
  }
  return Narrow(std::pow(quotient, kFifthRoot) * kFlowFactor);
}

// Whole side just below the one whose exact DL is `target` (a != 0), capped at `last`. With
// b = |a| x the formula turns into x^3 = S (1 + x) for a > 0 and x^3 = S (1 - x) for a < 0,
// S = (target / (1.27 |a|))^5; Newton's method, started above the root of that convex cubic,
// comes down to it. Only a starting point: the search certifies it before use.
std::int64_t EstimateSide(double target, float a, std::int64_t last) {
  const double magnitude = std::fabs(static_cast<double>(a));
  const double sign = a > 0.0F ? 1.0 : -1.0;
  const double ratio = target / (kFlowFactor * magnitude);
  const double s = ratio * ratio * ratio * ratio * ratio;
  if (!(s > 0.0)) {
    return 0;
  }
  const auto excess = [&](double x) { return x * x * x - s * (1.0 + sign * x); };
  const double xLast = static_cast<double>(last) / magnitude;
  if (!(excess(xLast) > 0.0)) {
    return last;  // also when S overflowed
  }
  // Upper bounds of the root: x^3 <= 2S below x = 1 and x^2 <= 2S above it, x^3 <= S for a < 0.
  double x = sign > 0.0 ? (s <= 0.5 ? std::cbrt(2.0 * s) : std::sqrt(2.0 * s))
                        : std::min(std::cbrt(s), 1.0);
  x = std::min(x, xLast);
  for (int i = 0; i < 64; ++i) {
    const double step = excess(x) / (3.0 * x * x - sign * s);
    x -= step;
    if (!(step > x * 1e-9)) {
      break;  // what is left is about the square of this step
    }
  }
  const double side = std::floor(x * magnitude);
  if (!(side > 0.0)) {
    return 0;
  }
  return side >= static_cast<double>(last) ? last : static_cast<std::int64_t>(side);
}

}  // namespace

std::optional<float> CalcFlowDiameter(float a, float b) {
  return FlowDiameterWithCubeOfA(Cube(a), a, b);
}

std::optional<float> CalcVelocityDiameter(float a, float b) {
  const double numerator = (2.0 * static_cast<double>(a)) * static_cast<double>(b);
  const double sum = static_cast<double>(a) + static_cast<double>(b);
  if (sum == 0.0) {
    return std::nullopt;
  }
  return Narrow(numerator / sum);
}

std::optional<float> CalcSideFromVelocityDiameter(float dv, float a) {
  if (dv == 0.0F || a == 0.0F) {
    return std::nullopt;
  }
  const double difference = 2.0 / static_cast<double>(dv) - 1.0 / static_cast<double>(a);
  if (difference == 0.0) {
    return std::nullopt;
  }
  return Narrow(1.0 / difference);
}

// The answer is the side at which the plain count b = 1, 2, 3, ... stops: the first side whose
// trial diameter exceeds dl, where a failed trial keeps the one before and the trial of side 0
// is 0. The search skips the sides the count certainly passes and counts only the last few.
//
// Why sides can be skipped. Let DL* be the exact value of the formula (with the constants as
// the doubles above). For a != 0 it grows strictly with b over the sides that have a trial (for
// a < 0, those below -a). A computed trial is DL* times 1 + r, |r| <= 2^-24 + e: the narrowing
// adds at most 2^-24, as every such trial is a normal float (about 1e-27 to 1e20 for a finite a
// and b <= 2^24), and the double steps (two cubes, product, sum, quotient, root, factor) add e,
// a few units of 2^-53. So a trial <= dl * (1 - 2^-22) puts DL* below dl * (1 - 2^-23) at its
// side and every smaller one, and every smaller side's trial is <= dl: the count passes them
// all, and counting on from the next side gives its answer.
std::optional<float> SearchSideFromFlowDiameter(float dl, float a) {
  if (!(dl >= 0.0F)) {
    return 0.0F;  // the count stops at once: 0 is not <= a negative or NaN dl
  }
  // No trial exceeds an infinite dl; for a = 0 every trial is 0, and for an infinite or NaN a
  // every trial fails (inf / inf under the root).
  if (std::isinf(dl) || a == 0.0F || !std::isfinite(a)) {
    return std::nullopt;
  }
  // For a < 0 the sides from -a on have a + b >= 0 and fail, so the count cannot stop there.
  const double magnitude = std::fabs(static_cast<double>(a));
  const std::int64_t last = a > 0.0F || magnitude > static_cast<double>(kSideSearchLimit)
                                ? kSideSearchLimit
                                : static_cast<std::int64_t>(std::ceil(magnitude)) - 1;

  const double aCubed = Cube(a);
  const auto trial = [&](std::int64_t side) {
    return FlowDiameterWithCubeOfA(aCubed, a, static_cast<float>(side));
  };
  const double certainBelow = static_cast<double>(dl) * (1.0 - kTrialMargin);
  const auto certainlyPassed = [&](std::int64_t side) {
    const auto diameter = side == 0 ? std::optional<float>(0.0F) : trial(side);
    return diameter && static_cast<double>(*diameter) <= certainBelow;
  };
  // From a side the count passes to the last one certified before `above`, a side that is not
  // certified or lies past the last one.
  const auto bisect = [&](std::int64_t passed, std::int64_t above) {
    while (above - passed > 1) {
      const std::int64_t middle = passed + (above - passed) / 2;
      if (certainlyPassed(middle)) {
        passed = middle;
      } else {
        above = middle;
      }
    }
    return passed;
  };

  // The estimate aims below the diameter so that it is certified in one trial.
  const std::int64_t guess =
      EstimateSide(static_cast<double>(dl) * (1.0 - 2.0 * kTrialMargin), a, last);
  std::int64_t side = certainlyPassed(guess) ? guess : bisect(0, guess);
  // Past a bisection the count ends within about 16 sides: the side after it is not certified,
  // so its DL* exceeds dl * (1 - 2^-21), and DL* grows by a relative 0.4/b or more per side. A
  // count that runs longer, after a poor estimate, bisects again.
  for (;;) {
    const std::int64_t runEnd = std::min(side + kCountRun, last);
    while (side < runEnd) {
      ++side;
      const auto diameter = trial(side);
      if (diameter && *diameter > dl) {
        return static_cast<float>(side);
      }
    }
    if (side == last) {
      return std::nullopt;  // past 2^24, or every later side fails
    }
    side = bisect(side, last + 1);
  }
}

std::optional<float> CalcSquareSideFromFlowDiameter(float dl) {
  const double squareFactor = std::pow(0.5, kFifthRoot) * kFlowFactor;
  return Narrow(static_cast<double>(dl) / squareFactor);
}

bool CheckSideRatio(float a, float d) {
  if (d == 0.0F) {
    return false;
  }
  const auto ratio = Narrow(static_cast<double>(a) / static_cast<double>(d));
  return ratio && 0.5F < *ratio && *ratio < 5.0F;
}

}  // namespace duct
