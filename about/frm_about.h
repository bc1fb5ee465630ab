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

  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Image1 = nullptr;
};

}  // namespace duct
