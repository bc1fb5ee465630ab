#include "app/window_lifecycle.h"

namespace duct {

WindowLifecycle::WindowLifecycle(Services services) : services_(std::move(services)) {}

WindowLifecycle::~WindowLifecycle() {
  quitting_ = true;
  delete main_;
  delete about_;
}

void WindowLifecycle::ShowMainWindow() {
  if (!main_) {
    main_ = new FrmMain(services_.messages, services_.alert);
    main_->setAttribute(Qt::WA_DeleteOnClose);
    connect(main_, &FrmMain::AboutRequested, this, &WindowLifecycle::CmdAbout_Click);
    connect(main_, &FrmMain::QuitRequested, this, &WindowLifecycle::Quit);
    connect(main_, &QObject::destroyed, this, &WindowLifecycle::MainWindowDestroyed);
  }
  main_->show();
}

// One modeless dialog without an owner: either window can come in front of the other.
void WindowLifecycle::CmdAbout_Click() {
  if (!about_) {
    about_ = new frmAbout(services_.registry, services_.launcher, services_.messages);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    connect(about_, &frmAbout::Unloaded, this, &WindowLifecycle::AboutUnloaded);
  }
  about_->showNormal();  // brought back if it was minimised or behind other windows
  about_->raise();
  about_->activateWindow();
}

// Closing the dialog brings the main window back, in its start state if it had been closed,
// unless the program is quitting.
void WindowLifecycle::AboutUnloaded() {
  if (!quitting_) {
    ShowMainWindow();
  }
}

// A main window closed through its frame ends the program, unless the dialog is still open;
// then the dialog takes the focus, which the window manager may give to no window at all.
void WindowLifecycle::MainWindowDestroyed() {
  if (quitting_) {
    return;
  }
  if (about_) {
    about_->activateWindow();
  } else {
    services_.endProgram();
  }
}

// The main window has closed itself; the dialog follows and the program ends.
void WindowLifecycle::Quit() {
  quitting_ = true;
  if (about_) {
    about_->close();
  }
  services_.endProgram();
}

}  // namespace duct
