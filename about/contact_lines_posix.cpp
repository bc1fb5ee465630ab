#include "about/contact_lines.h"

namespace duct {

// The manual page comes with every installation (the package's and `cmake --install`'s); it
// names the usage page and the README under /usr/share/doc/ductcalc/ and the address.
QString ContactLines() {
  return QStringLiteral(
      "使用说明：见手册页（man ductcalc）。\n"
      "问题与建议：请寄往手册页所列的地址。");
}

}  // namespace duct
