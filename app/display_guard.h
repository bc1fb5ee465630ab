#pragma once

#include <QtGlobal>

namespace duct {

// Guards the opening of the display. While a guard lives, Qt's messages are held back; if Qt's
// window system cannot start (no display, or no such platform plugin), Qt's fatal message (an
// abort, with a page of advice to reinstall) turns into one line on standard error, with what Qt
// said of it, and exit status 1. When the guard goes, the messages it held are passed on.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace duct
