#pragma once

#include <string>
#include <string_view>

namespace duct {

// The four text boxes of the calculator window.
enum class Field {
  TxtA0,  // side a
  TxtA1,  // side b
  TxtD0,  // velocity-equivalent diameter
  TxtD1,  // flow-equivalent diameter
};

// What the calculate command reads and writes in the calculator window: the option states and
// the field texts (UTF-8). Writing must work on locked fields too.
class CalculatorFields {
 public:
  virtual ~CalculatorFields() = default;

  // Option1(0): the forward direction, both sides given.
  [[nodiscard]] virtual bool IsForwardDirection() const = 0;
  // Option2(0): in the reverse direction, the velocity-equivalent diameter is the given one.
  [[nodiscard]] virtual bool IsVelocityDiameterGiven() const = 0;

  [[nodiscard]] virtual std::string Text(Field field) const = 0;
  virtual void SetText(Field field, std::string_view utf8Text) = 0;
};

}  // namespace duct
