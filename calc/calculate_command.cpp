#include "calc/calculate_command.h"

#include <optional>
#include <utility>

#include "base/application_info.h"
#include "calc/formulas.h"
#include "calc/length_text.h"

namespace duct {
namespace {

// One run of the command. A step that fails leaves the value it was to assign unchanged and
// marks the run as failed; the following steps still run.
class CalculateRun {
 public:
  CalculateRun(const CalculatorInput& input, const CalculationState& state)
      : input_(input), state_(state) {}

  CalculateResult Run() && {
    if (input_.direction == Direction::Forward) {
      FromBothSides();
    } else if (input_.given == GivenDiameter::Velocity) {
      FromVelocityDiameter();
    } else {
      FromFlowDiameter();
    }
    return {std::move(writes_), std::move(message_), state_};
  }

 private:
  [[nodiscard]] std::optional<float> Read(Field field) const {
    return ParseLength(input_.texts[static_cast<std::size_t>(field)]);
  }

  // Assigns `value` to `target` when there is one; returns whether there was.
  bool Assign(float& target, std::optional<float> value) {
    if (!value) {
      failed_ = true;
      return false;
    }
    target = *value;
    return true;
  }

  void Write(Field field, float value, int decimals) {
    writes_.push_back({field, FormatLength(value, decimals)});
  }

  // Every result is computed before anything is written, so a failure shows instead.
  bool EndsInFailure() {
    if (failed_) {
      message_ = InputErrorMessage();
    }
    return failed_;
  }

  void FromBothSides() {
    Assign(state_.SideA, Read(Field::TxtA0));
    Assign(state_.SideB, Read(Field::TxtA1));
    if (EndsInFailure()) {
      return;
    }
    Assign(state_.FlowDiameter, CalcFlowDiameter(state_.SideA, state_.SideB));
    Assign(state_.VelocityDiameter, CalcVelocityDiameter(state_.SideA, state_.SideB));
    if (EndsInFailure()) {
      return;
    }
    Write(Field::TxtD0, state_.VelocityDiameter, 0);
    Write(Field::TxtD1, state_.FlowDiameter, 1);
  }

  // Reads the given diameter, then side a when it converts; false when the run ends at a
  // message. `sideAGiven` tells whether side a converted.
  bool ReadGivenDiameterAndSideA(Field diameterField, float& diameter, bool& sideAGiven) {
    if (!Assign(diameter, Read(diameterField))) {
      EndsInFailure();
      return false;
    }
    // Side a is optional: without it the answer is the square duct.
    const auto sideA = Read(Field::TxtA0);
    sideAGiven = sideA.has_value();
    if (sideAGiven) {
      state_.SideA = *sideA;
    }
    const bool plausible = sideAGiven ? CheckSideRatio(state_.SideA, diameter) : diameter != 0.0F;
    if (!plausible) {
      message_ = RatioErrorMessage();
    }
    return plausible;
  }

  // The reverse direction's answer: TxtA(0) only for the square duct, then side b and the
  // computed diameter.
  void WriteReverseAnswer(bool squareDuct, Field computedField, float computed, int decimals) {
    if (EndsInFailure()) {
      return;
    }
    if (squareDuct) {
      Write(Field::TxtA0, state_.SideA, 0);
    }
    Write(Field::TxtA1, state_.SideB, 0);
    Write(computedField, computed, decimals);
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

  const CalculatorInput& input_;
  CalculationState state_;
  std::vector<FieldText> writes_;
  std::optional<Message> message_;
  bool failed_ = false;
};

}  // namespace

CalculateResult Calculate(const CalculatorInput& input, const CalculationState& state) {
  return CalculateRun(input, state).Run();
}

Message InputErrorMessage() { return {"参数输入错误!", MessageIcon::Information, "提醒"}; }

Message RatioErrorMessage() {
  return {"方管两边长相差太大，请重输！", MessageIcon::None, kApplicationTitle};
}

}  // namespace duct
