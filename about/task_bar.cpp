#include "about/task_bar.h"

#include <QWidget>

#ifdef DUCTCALC_HAVE_XCB
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#endif

namespace duct {

#ifdef DUCTCALC_HAVE_XCB

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

// The EWMH state _NET_WM_STATE_SKIP_TASKBAR, set on the native window before it is mapped; Qt
// keeps states it finds there when it adds its own.
void KeepOffTaskBar(QWidget& window) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr) {
    return;  // another platform, such as Wayland or offscreen
  }
  const auto nativeWindow = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t skipTaskBar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skipTaskBar == XCB_ATOM_NONE) {
    return;
  }
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, nativeWindow, state, XCB_ATOM_ATOM, 32, 1,
                      &skipTaskBar);
  xcb_flush(connection);
}

#else

void KeepOffTaskBar(QWidget& /*window*/) {}

#endif

}  // namespace duct
