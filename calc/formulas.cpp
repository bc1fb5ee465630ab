#include "calc/formulas.h"

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
constexpr float kSideSearchLimit = 16777216.0F;

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

std::optional<float> SearchSideFromFlowDiameter(float dl, float a) {
  const double aCubed = Cube(a);
  float side = 0.0F;
  float trial = 0.0F;  // taken as 0 for side 0 without evaluating the formula
  while (trial <= dl) {
    if (side == kSideSearchLimit) {
      return std::nullopt;
    }
    side = static_cast<float>(static_cast<double>(side) + 1.0);
    // A trial that fails keeps the previous trial diameter, like any failed step.
    if (const auto diameter = FlowDiameterWithCubeOfA(aCubed, a, side)) {
      trial = *diameter;
    }
  }
  return side;
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
