#pragma once

namespace duct {

// The numbers of the calculate command. The window that runs the command owns them; they start
// at 0 and keep their values from one run to the next (the fields show rounded texts, these
// hold the unrounded values).
struct CalculationState {
  // Capitalised like the window's controls (TxtA0, CmdStart_Click) they go with; the window and
  // its tests use these names.
  // NOLINTBEGIN(readability-identifier-naming)
  float SideA = 0.0F;
  float SideB = 0.0F;
  float FlowDiameter = 0.0F;
  float VelocityDiameter = 0.0F;
  float TrialFlowDiameter = 0.0F;  // DL of the last side tried by the side search
  // NOLINTEND(readability-identifier-naming)

  friend bool operator==(const CalculationState&, const CalculationState&) = default;
};

}  // namespace duct
