#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "calculation_state.h"
#include "frm_main.h"
#include "qt_message_boxes.h"
#include "system_alert_sound.h"

namespace {

// Without any display Qt would abort while connecting; say why instead.
bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs("ductcalc: no display to show the window on (DISPLAY is not set).\n", stderr);
    return EXIT_FAILURE;
  }
  QApplication application(argc, argv);

  duct::CalculationState state;
  duct::QtMessageBoxes messages;
  duct::SystemAlertSound alert;
  duct::FrmMain window(state, messages, alert);
  window.show();
  return QApplication::exec();
}
