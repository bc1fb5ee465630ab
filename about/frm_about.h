#pragma once

#include <QDialog>

#include "about/program_launcher.h"
#include "base/message_box.h"
#include "registry/registry.h"

class QLabel;
class QPushButton;

namespace duct {

// The About dialog: the program's title and version, a description, the terms of use, and a
// button that starts the system-information tool. It builds its texts when it is created and
// announces its closing, by whatever path, with Unloaded().
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages,
           QWidget* parent = nullptr);

 signals:
  void Unloaded();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildControls();
  void Form_Load();
  void Form_Unload();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  Registry& registry_;
  ProgramLauncher& launcher_;
  MessageBoxService& messages_;

  // The controls keep the names of the dialog's design.
  QPushButton* cmdOK = nullptr;       // "确定(&O)", default and cancel button: closes the dialog
  QPushButton* cmdSysInfo = nullptr;  // "系统信息(&S)...": starts the system-information tool
  QLabel* lblDescription = nullptr;   // what the program is for, and whom to write to
  QLabel* lblDisclaimer = nullptr;    // the terms of use
  QLabel* lblTitle = nullptr;         // the program's title
  QLabel* lblVersion = nullptr;       // "版本 " and the version
  QLabel* Label1 = nullptr;           // the blue 幼圆 line under the emblem
  QLabel* Image1 = nullptr;           // the emblem
};

}  // namespace duct
