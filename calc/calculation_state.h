#pragma once

namespace duct {

// The numbers of the calculate command. The program keeps them for as long as it runs, past any
// one window; they start at 0 and keep their values from one run to the next (the fields show
// rounded texts, these hold the unrounded values).
struct CalculationState {
  float SideA = 0.0F;
  float SideB = 0.0F;
  float FlowDiameter = 0.0F;
  float VelocityDiameter = 0.0F;
  float TrialFlowDiameter = 0.0F;  // DL of the last side tried by the side search

  friend bool operator==(const CalculationState&, const CalculationState&) = default;
};

}  // namespace duct
