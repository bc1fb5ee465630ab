#include "calculate_command.h"

#include <optional>

#include "application_info.h"
#include "formulas.h"

namespace duct {
namespace {

// One run of the command. A step that fails leaves the value it was to assign unchanged and
// marks the run as failed; the following steps still run.
class CalculateRun {
 public:
  CalculateRun(CalculatorFields& fields, MessageBoxService& messages, CalculationState& state)
      : fields_(fields), messages_(messages), state_(state) {}

  void Run() {
    if (fields_.IsForwardDirection()) {
      FromBothSides();
    } else if (fields_.IsVelocityDiameterGiven()) {
      FromVelocityDiameter();
    } else {
      FromFlowDiameter();
    }
  }

 private:
  // Assigns `value` to `target` when there is one; returns whether there was.
  bool Assign(float& target, std::optional<float> value) {
    if (!value) {
      failed_ = true;
      return false;
    }
    target = *value;
    return true;
  }

  void ShowInputError() {
    messages_.ShowMessage(kInputErrorText, MessageIcon::Information, kInputErrorTitle);
  }
  void ShowRatioError() {
    messages_.ShowMessage(kRatioErrorText, MessageIcon::None, kApplicationTitle);
  }

  void FromBothSides() {
    Assign(state_.SideA, ParseLength(fields_.Text(Field::TxtA0)));
    Assign(state_.SideB, ParseLength(fields_.Text(Field::TxtA1)));
    if (failed_) {
      ShowInputError();
      return;
    }
    Assign(state_.FlowDiameter, CalcFlowDiameter(state_.SideA, state_.SideB));
    Assign(state_.VelocityDiameter, CalcVelocityDiameter(state_.SideA, state_.SideB));
    if (failed_) {
      ShowInputError();
      return;
    }
    fields_.SetText(Field::TxtD0, FormatLength(state_.VelocityDiameter, 0));
    fields_.SetText(Field::TxtD1, FormatLength(state_.FlowDiameter, 1));
  }

  // Reads the given diameter, then side a when it converts; false when the run ends at a message.
  // `sideAGiven` tells whether side a converted.
  bool ReadGivenDiameterAndSideA(Field diameterField, float& diameter, bool& sideAGiven) {
    if (!Assign(diameter, ParseLength(fields_.Text(diameterField)))) {
      ShowInputError();
      return false;
    }
    // Side a is optional: without it the answer is the square duct.
    const auto sideA = ParseLength(fields_.Text(Field::TxtA0));
    sideAGiven = sideA.has_value();
    if (sideAGiven) {
      state_.SideA = *sideA;
    }
    const bool plausible = sideAGiven ? CheckSideRatio(state_.SideA, diameter) : diameter != 0.0F;
    if (!plausible) {
      ShowRatioError();
    }
    return plausible;
  }

  // Writes the reverse direction's answer: TxtA(0) only for the square duct, then side b and the
  // computed diameter. Nothing is written when a step has failed.
  void WriteReverseAnswer(bool squareDuct, Field computedDiameterField, float computedDiameter,
                          int diameterDecimals) {
    if (failed_) {
      ShowInputError();
      return;
    }
    if (squareDuct) {
      fields_.SetText(Field::TxtA0, FormatLength(state_.SideA, 0));
    }
    fields_.SetText(Field::TxtA1, FormatLength(state_.SideB, 0));
    fields_.SetText(computedDiameterField, FormatLength(computedDiameter, diameterDecimals));
  }

  void FromVelocityDiameter() {
    bool sideAGiven = false;
    if (!ReadGivenDiameterAndSideA(Field::TxtD0, state_.VelocityDiameter, sideAGiven)) {
      return;
    }
    if (sideAGiven) {
      Assign(state_.SideB, CalcSideFromVelocityDiameter(state_.VelocityDiameter, state_.SideA));
    } else {
      state_.SideA = state_.VelocityDiameter;
      state_.SideB = state_.VelocityDiameter;
    }
    Assign(state_.FlowDiameter, CalcFlowDiameter(state_.SideA, state_.SideB));
    WriteReverseAnswer(!sideAGiven, Field::TxtD1, state_.FlowDiameter, 1);
  }

  void FromFlowDiameter() {
    bool sideAGiven = false;
    if (!ReadGivenDiameterAndSideA(Field::TxtD1, state_.FlowDiameter, sideAGiven)) {
      return;
    }
    if (sideAGiven) {
      SearchSideB();
    } else {
      Assign(state_.SideA, CalcSquareSideFromFlowDiameter(state_.FlowDiameter));
      state_.SideB = state_.SideA;
    }
    Assign(state_.VelocityDiameter, CalcVelocityDiameter(state_.SideA, state_.SideB));
    WriteReverseAnswer(!sideAGiven, Field::TxtD0, state_.VelocityDiameter, 0);
  }

  // The whole-millimetre search, leaving its side and the trial diameter that ended it in the
  // state. A search that runs into its limit changes neither.
  void SearchSideB() {
    const auto side = SearchSideFromFlowDiameter(state_.FlowDiameter, state_.SideA);
    if (!Assign(state_.SideB, side)) {
      return;
    }
    // The search starts from side 0 with a trial diameter of 0; any side it stops at past 0
    // was evaluated, and evaluates again to the same bits.
    state_.TrialFlowDiameter =
        *side == 0.0F ? 0.0F : CalcFlowDiameter(state_.SideA, *side).value_or(0.0F);
  }

  CalculatorFields& fields_;
  MessageBoxService& messages_;
  CalculationState& state_;
  bool failed_ = false;
};

}  // namespace

void CmdStart_Click(CalculatorFields& fields, MessageBoxService& messages,
                    CalculationState& state) {
  CalculateRun(fields, messages, state).Run();
}

}  // namespace duct
