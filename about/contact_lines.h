#pragma once

#include <QString>

namespace duct {

// The About dialog's two lines after its description: where this platform's user finds the
// usage and the address for questions. One per platform (contact_lines_*.cpp).
QString ContactLines();

}  // namespace duct
