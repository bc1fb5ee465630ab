#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "message_box_service.h"

namespace duct {

struct Message {
  std::string text;
  MessageIcon icon;
  std::string title;
  friend bool operator==(const Message&, const Message&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << '"' << m.text << "\" icon " << static_cast<int>(m.icon) << " title \"" << m.title
               << '"';
  }
};

// Message boxes that do not block: each is recorded in the order shown.
class RecordingMessageBoxes final : public MessageBoxService {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override {
    shown.push_back({std::string(text), icon, std::string(title)});
  }
  std::vector<Message> shown;
};

}  // namespace duct
