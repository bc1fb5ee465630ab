#include "windowlook/window_frame.h"

namespace duct {

// A window system without frame hints: the window keeps the frame that Qt's flags give it.
void RequestFrame(QWidget& /*window*/, FrameRequest /*request*/) {}

}  // namespace duct
