#pragma once

// Equivalent diameters of a rectangular duct with sides a and b (all lengths in millimetres):
//   velocity-equivalent diameter  Dv = 2ab / (a + b)
//   flow-equivalent diameter      DL = 1.27 * ((a^3 * b^3) / (a + b))^0.2
//
// Every length is a single-precision float. Each function widens its inputs to double,
// evaluates in a fixed order and narrows once (round to nearest, ties to even), so results are
// reproducible to the last bit. An empty optional means an arithmetic failure (division by
// zero, an invalid operation, or a result beyond the float range); no function ever returns an
// infinity or a NaN.

#include <optional>

namespace duct {

// DL from the two sides. Fails when a + b = 0 or (a^3 * b^3) / (a + b) < 0.
std::optional<float> CalcFlowDiameter(float a, float b);

// Dv from the two sides. Fails when a + b = 0.
std::optional<float> CalcVelocityDiameter(float a, float b);

// Side b from Dv and side a: b = 1 / (2/Dv - 1/a). Fails when Dv = 0, a = 0 or 2/Dv = 1/a.
std::optional<float> CalcSideFromVelocityDiameter(float dv, float a);

// Side b from DL and side a: the side at which a count b = 1, 2, 3, ... stops, the first whose
// DL(a, b) is strictly greater than dl (a failed DL is not greater); 0 when dl < 0 or NaN.
// Fails when no side up to 16,777,216, the last whole number a float counts to, stops it. Gives
// the count's answer to the bit without trying every side.
std::optional<float> SearchSideFromFlowDiameter(float dl, float a);

// Side of the square duct whose DL is dl: dl / (0.5^0.2 * 1.27).
std::optional<float> CalcSquareSideFromFlowDiameter(float dl);

// True when 0.5 < a/d < 5, the quotient taken in double and compared as a float. A quotient
// that cannot be formed (d = 0) or lies beyond the float range is rejected.
bool CheckSideRatio(float a, float d);

}  // namespace duct
