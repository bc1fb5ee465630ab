#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace duct {

enum class Direction {
  Forward,  // both sides given, both diameters computed
  Reverse,  // a diameter and side a given, side b computed
};

// The diameter the user gives in the reverse direction. None chosen reads as the flow diameter.
enum class GivenDiameter { None, Velocity, Flow };

// What a field holds when it holds no number: at start, after a clear button, and where a
// calculation could give no answer. No length reads from it.
inline constexpr auto kPlaceholder = "(空白)";

// The four text boxes of the calculator window, in the order of CalculatorInput::texts.
enum class Field {
  TxtA0,  // side a
  TxtA1,  // side b
  TxtD0,  // velocity-equivalent diameter
  TxtD1,  // flow-equivalent diameter
};

// What the calculate command reads from the window.
struct CalculatorInput {
  Direction direction = Direction::Forward;
  GivenDiameter given = GivenDiameter::None;
  std::array<std::string, 4> texts;  // UTF-8, by Field
};

struct FieldText {
  Field field;
  std::string text;

  friend bool operator==(const FieldText&, const FieldText&) = default;
};

// The two messages the command can end with. The window gives each its text, icon and title.
enum class CalculateMessage {
  InputError,  // a text that the path needs is no number, or no answer could be computed
  RatioError,  // side a implausible against the given diameter, or that diameter 0
};

// What one run does: the texts to write, in order, and the message to show after them, if any.
struct CalculateResult {
  std::vector<FieldText> writes;
  std::optional<CalculateMessage> message;
};

// The calculate button: converts the texts that the direction needs, checks them, computes and
// answers with rounded texts. Bad input gives one message and no write. A computation that
// fails after the checks (both sides 0, magnitudes near the top of the float range, a side
// search past its limit) blanks every field its path writes and gives the input-error message:
// no earlier answer is left beside inputs it was not computed from, and every answer depends on
// the texts and options alone, never on an earlier run.
CalculateResult Calculate(const CalculatorInput& input);

}  // namespace duct
