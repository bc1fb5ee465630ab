#pragma once

#include "alert_sound.h"

namespace duct {

class CountingAlertSound final : public AlertSound {
 public:
  void Play() override { ++count; }
  int count = 0;
};

}  // namespace duct
