#pragma once

#include <string>

namespace duct {

enum class MessageIcon { None, Information };

// A modal notice with a single OK button; its answer is never used.
struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::None;
  std::string title;

  friend bool operator==(const Message&, const Message&) = default;
};

// Shows messages; the windows get one so that tests can record what would be shown.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void Show(const Message& message) = 0;
};

}  // namespace duct
