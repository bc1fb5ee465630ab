#pragma once

namespace duct {

// The platform's alert sound, played when a key is refused.
class AlertSound {
 public:
  virtual ~AlertSound() = default;
  virtual void Play() = 0;
};

}  // namespace duct
