#include "windowlook/window_frame.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace duct {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The Motif window-manager hints, which most X11 window managers read for a frame's buttons.
constexpr std::uint32_t kMwmFunctionsAndDecorations = 1U | 2U;
constexpr std::uint32_t kMwmFunctionMove = 4U;
constexpr std::uint32_t kMwmFunctionMinimize = 8U;
constexpr std::uint32_t kMwmFunctionClose = 32U;
constexpr std::uint32_t kMwmDecorBorder = 2U;
constexpr std::uint32_t kMwmDecorTitle = 8U;
constexpr std::uint32_t kMwmDecorMenu = 16U;
constexpr std::uint32_t kMwmDecorMinimize = 32U;

void SetHints(xcb_connection_t* connection, xcb_window_t id, FrameRequest request) {
  const auto set = [connection, id](xcb_atom_t property, xcb_atom_t type, std::uint32_t count,
                                    const void* data, std::uint8_t mode) {
    if (property != XCB_ATOM_NONE && type != XCB_ATOM_NONE) {
      xcb_change_property(connection, mode, id, property, type, 32, count, data);
    }
  };

  // No resize and no maximise, whatever Qt asked for.
  const std::array<std::uint32_t, 5> motif = {
      kMwmFunctionsAndDecorations,
      kMwmFunctionMove | kMwmFunctionClose | (request.minimizeButton ? kMwmFunctionMinimize : 0U),
      kMwmDecorBorder | kMwmDecorTitle | kMwmDecorMenu |
          (request.minimizeButton ? kMwmDecorMinimize : 0U),
      0, 0};
  const xcb_atom_t motifHints = Atom(connection, "_MOTIF_WM_HINTS");  // also its own type
  set(motifHints, motifHints, motif.size(), motif.data(), XCB_PROP_MODE_REPLACE);
  if (request.dialog) {
    // A dialog's frame without WM_TRANSIENT_FOR, which would keep it above the main window.
    const xcb_atom_t dialog = Atom(connection, "_NET_WM_WINDOW_TYPE_DIALOG");
    set(Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 1, &dialog, XCB_PROP_MODE_REPLACE);
  }
  if (request.offTaskBar) {
    // Qt keeps the states it finds on the window when it adds its own.
    const xcb_atom_t skipTaskBar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    set(Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 1, &skipTaskBar, XCB_PROP_MODE_APPEND);
  }
  xcb_flush(connection);
}

// Sets the hints on each X window the widget gets, when Qt has made it and before it maps it:
// Qt sends the show event in between. QWidget::winId() would make the X window at once, but it
// also marks the widget native, and a native widget with a parent (a message box) makes every
// control of that parent native too.
class FrameHints final : public QObject {
 public:
  FrameHints(QWidget& window, xcb_connection_t* connection, FrameRequest request)
      : QObject(&window), connection_(connection), request_(request) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QWindow* native = static_cast<QWidget*>(watched)->windowHandle();
    if (event->type() == QEvent::Show && native != nullptr && native->winId() != hinted_) {
      hinted_ = native->winId();
      SetHints(connection_, static_cast<xcb_window_t>(hinted_), request_);
    }
    return false;
  }

 private:
  xcb_connection_t* connection_;
  FrameRequest request_;
  WId hinted_ = 0;
};

}  // namespace

void RequestFrame(QWidget& window, FrameRequest request) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection != nullptr) {  // not on another platform, such as Wayland or offscreen
    new FrameHints(window, connection, request);
  }
}

}  // namespace duct
