#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "about/frm_about.h"
#include "about/program_launcher.h"
#include "base/message_box.h"
#include "mainwindow/alert_sound.h"
#include "mainwindow/frm_main.h"
#include "registry/registry.h"

namespace duct {

// The program's two windows and their lifecycle.
class WindowLifecycle : public QObject {
  Q_OBJECT

 public:
  struct Services {
    MessageBoxService& messages;
    AlertSound& alert;
    Registry& registry;
    ProgramLauncher& launcher;
    std::function<void()> endProgram;
  };

  explicit WindowLifecycle(Services services);
  ~WindowLifecycle() override;

  // Opens the main window in its start state, or shows the one that is open.
  void ShowMainWindow();

  [[nodiscard]] FrmMain* MainWindow() const { return main_; }
  [[nodiscard]] frmAbout* AboutDialog() const { return about_; }

 private:
  void CmdAbout_Click();
  void AboutUnloaded();
  void MainWindowDestroyed();
  void Quit();

  Services services_;
  QPointer<FrmMain> main_;
  QPointer<frmAbout> about_;
  bool quitting_ = false;
};

}  // namespace duct
