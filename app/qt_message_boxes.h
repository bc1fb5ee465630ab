#pragma once

#include "base/message_box.h"

namespace duct {

// Message boxes as QMessageBox shows them: modal over the whole program, an OK button only.
// When one closes, the window it was shown over is active again.
class QtMessageBoxes final : public MessageBoxService {
 public:
  void Show(const Message& message) override;
};

}  // namespace duct
