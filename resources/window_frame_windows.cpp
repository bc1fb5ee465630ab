#include <QWidget>
#include <QWindow>

#include "resources/window_frame.h"

namespace duct {

// Windows draws the frame from the window's styles, which Qt derives from its flags: a fixed
// frame from Qt::MSWindowsFixedSizeDialogHint, a dialog frame with only the close button for a
// dialog without a system menu. Only the task-bar entry needs more: Windows gives one to every
// window without an owner, so such a window gets an owner that is never shown. Unlike the main
// window as owner, it never keeps the window in front of the main window.
void RequestFrame(QWidget& window, FrameRequest request) {
  if (!request.offTaskBar) {
    return;
  }
  auto* hiddenOwner = new QWindow();
  // Destroyed signals come after the window's own native window is gone.
  QObject::connect(&window, &QObject::destroyed, [hiddenOwner] { delete hiddenOwner; });
  hiddenOwner->create();
  window.create();
  window.windowHandle()->setTransientParent(hiddenOwner);
}

}  // namespace duct
