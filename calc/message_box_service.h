#pragma once

#include <string_view>

namespace duct {

enum class MessageIcon { None, Information };

// A modal notice with a single OK button; its answer is never used.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) = 0;
};

}  // namespace duct
