#include "calc/calculate_command.h"

#include <initializer_list>
#include <optional>

#include "calc/formulas.h"
#include "calc/length_text.h"

namespace duct {
namespace {

std::optional<float> Read(const CalculatorInput& input, Field field) {
  return ParseLength(input.texts[static_cast<std::size_t>(field)]);
}

void Write(CalculateResult& result, Field field, float value, int decimals) {
  result.writes.push_back({field, FormatLength(value, decimals)});
}

CalculateResult Ending(CalculateMessage message) { return {{}, message}; }

// No answer could be computed: the fields the path writes show the placeholder.
CalculateResult Unanswered(std::initializer_list<Field> fields) {
  CalculateResult result{{}, CalculateMessage::InputError};
  for (const Field field : fields) {
    result.writes.push_back({field, kPlaceholder});
  }
  return result;
}

// Side a against the given diameter, or without side a the diameter alone: the square duct of
// a zero diameter is no answer either.
bool Plausible(std::optional<float> sideA, float diameter) {
  return sideA ? CheckSideRatio(*sideA, diameter) : diameter != 0.0F;
}

CalculateResult FromBothSides(const CalculatorInput& input) {
  // Both sides are read before either is reported: one message for one or two bad sides.
  const auto a = Read(input, Field::TxtA0);
  const auto b = Read(input, Field::TxtA1);
  if (!a || !b) {
    return Ending(CalculateMessage::InputError);
  }
  const auto flow = CalcFlowDiameter(*a, *b);
  const auto velocity = CalcVelocityDiameter(*a, *b);
  if (!flow || !velocity) {
    return Unanswered({Field::TxtD0, Field::TxtD1});
  }
  CalculateResult result;
  Write(result, Field::TxtD0, *velocity, 0);
  Write(result, Field::TxtD1, *flow, 1);
  return result;
}

// The reverse direction's answer: TxtA(0) only for the square duct, then side b and the
// computed diameter.
CalculateResult ReverseAnswer(bool squareDuct, std::optional<float> a, std::optional<float> b,
                              Field computedField, std::optional<float> computed, int decimals) {
  if (!a || !b || !computed) {
    return squareDuct ? Unanswered({Field::TxtA0, Field::TxtA1, computedField})
                      : Unanswered({Field::TxtA1, computedField});
  }
  CalculateResult result;
  if (squareDuct) {
    Write(result, Field::TxtA0, *a, 0);
  }
  Write(result, Field::TxtA1, *b, 0);
  Write(result, computedField, *computed, decimals);
  return result;
}

// Side a is optional in the reverse direction: without it the answer is the square duct.
CalculateResult FromVelocityDiameter(const CalculatorInput& input) {
  const auto velocity = Read(input, Field::TxtD0);
  if (!velocity) {
    return Ending(CalculateMessage::InputError);
  }
  const auto sideA = Read(input, Field::TxtA0);
  if (!Plausible(sideA, *velocity)) {
    return Ending(CalculateMessage::RatioError);
  }
  const float a = sideA.value_or(*velocity);
  const auto b = sideA ? CalcSideFromVelocityDiameter(*velocity, a) : velocity;
  const auto flow = b ? CalcFlowDiameter(a, *b) : std::nullopt;
  return ReverseAnswer(!sideA, a, b, Field::TxtD1, flow, 1);
}

CalculateResult FromFlowDiameter(const CalculatorInput& input) {
  const auto flow = Read(input, Field::TxtD1);
  if (!flow) {
    return Ending(CalculateMessage::InputError);
  }
  const auto sideA = Read(input, Field::TxtA0);
  if (!Plausible(sideA, *flow)) {
    return Ending(CalculateMessage::RatioError);
  }
  const auto a = sideA ? sideA : CalcSquareSideFromFlowDiameter(*flow);
  const auto b = sideA ? SearchSideFromFlowDiameter(*flow, *sideA) : a;
  const auto velocity = a && b ? CalcVelocityDiameter(*a, *b) : std::nullopt;
  return ReverseAnswer(!sideA, a, b, Field::TxtD0, velocity, 0);
}

}  // namespace

CalculateResult Calculate(const CalculatorInput& input) {
  if (input.direction == Direction::Forward) {
    return FromBothSides(input);
  }
  if (input.given == GivenDiameter::Velocity) {
    return FromVelocityDiameter(input);
  }
  return FromFlowDiameter(input);
}

}  // namespace duct
