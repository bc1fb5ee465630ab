#pragma once

#include <QApplication>

#include "mainwindow/alert_sound.h"

namespace duct {

class SystemAlertSound final : public AlertSound {
 public:
  void Play() override { QApplication::beep(); }
};

}  // namespace duct
