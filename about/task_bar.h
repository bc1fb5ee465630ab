#pragma once

class QWidget;

namespace duct {

// Asks the window manager to give `window` no task-bar entry of its own, without changing its
// frame. Call before the window is first shown. Where the window system has no such request
// (Wayland, the offscreen platform) the window is left as it is.
void KeepOffTaskBar(QWidget& window);

}  // namespace duct
