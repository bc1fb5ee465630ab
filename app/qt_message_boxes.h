#pragma once

#include "message_box_service.h"

namespace duct {

// Message boxes as QMessageBox shows them: modal over the active window, an OK button only.
class QtMessageBoxes final : public MessageBoxService {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
};

}  // namespace duct
