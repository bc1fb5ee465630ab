#pragma once

class QWidget;

namespace duct {

// What the program asks of the window manager's frame around a window.
struct FrameRequest {
  bool minimizeButton = false;  // besides the close button, which every window has
  bool dialog = false;          // a dialog's frame, without an owner window
  bool offTaskBar = false;      // no task-bar entry of its own
};

// Asks the window system for a frame that cannot be resized or maximised, with the buttons and
// kind that `request` names, without making any widget native. Call before the window is first
// shown. On X11, Qt's own hints always allow resizing and tie an ownerless dialog to the
// program's other windows; on Windows, Qt's flags give the frame and only the task-bar entry
// needs more. Where the window system has no such hints (Wayland, the offscreen platform) the
// window is left as it is.
void RequestFrame(QWidget& window, FrameRequest request);

}  // namespace duct
