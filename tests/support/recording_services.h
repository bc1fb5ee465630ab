#pragma once

#include <vector>

#include "base/message_box.h"
#include "mainwindow/alert_sound.h"

namespace duct {

// Message boxes that do not block: each is recorded in the order shown.
class RecordingMessageBoxes final : public MessageBoxService {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  std::vector<Message> shown;
};

class CountingAlertSound final : public AlertSound {
 public:
  void Play() override { ++count; }
  int count = 0;
};

}  // namespace duct
