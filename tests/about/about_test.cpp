// The About dialog, and the system-information tool it finds through the registry and starts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "about/frm_about.h"
#include "about/sys_info.h"
#include "base/application_info.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/fake_platform.h"
#include "tests/support/layout_checks.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

using namespace std::string_literals;
using Value = std::optional<InMemoryRegistry::Value>;  // none: the key is there, the value not

// Where the registry names the tool, under the local-machine root.
const std::string kPathKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
const std::string kFolderKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";

TEST(StartSysInfo, StartsTheToolTheRegistryNamesOrSaysItIsUnavailable) {
  const Message kUnavailable{"此时系统信息不可用", MessageIcon::None, kApplicationTitle};
  const std::string tool = R"(C:\Program Files\Common Files\MSInfo\msinfo32.exe)";
  const std::string folder = R"(C:\WINDOWS\system32)";
  const std::string folderTool = folder + R"(\MSINFO32.EXE)";
  const struct {
    Value path;                      // "PATH" of the first key
    std::optional<std::string> dir;  // "MSINFO" of the second key
    std::vector<std::string> files;  // files that exist (and start)
    std::vector<std::string> started;
    bool unavailable;
  } cases[] = {
      {std::nullopt, std::nullopt, {folderTool}, {}, true},
      {{{1, tool + '\0'}}, folder, {tool, folderTool}, {tool}, false},  // as it stands
      {std::nullopt, folder, {folderTool}, {folderTool}, false},
      {std::nullopt, folder, {}, {}, true},
      {{{1, tool}}, folder, {folderTool}, {tool}, true},  // the first does not start
      {{{1, "\0"s}}, folder, {folderTool}, {}, true},
      {{{4, "\x01\0\0\0"s}}, folder, {folderTool}, {"&h1"}, true},
  };
  for (const auto& [path, dir, files, started, unavailable] : cases) {
    CountingRegistry registry;
    if (path) {
      registry.SetValue(kHkeyLocalMachine, kPathKey, "PATH", *path);
    }
    if (dir) {
      registry.SetValue(kHkeyLocalMachine, kFolderKey, "MSINFO", {1, *dir + '\0'});
    }
    FakeProgramLauncher launcher;
    launcher.files.insert(files.begin(), files.end());
    RecordingMessageBoxes messages;
    StartSysInfo(registry, launcher, messages);
    EXPECT_EQ(launcher.started, started);
    EXPECT_EQ(messages.shown, unavailable ? std::vector{kUnavailable} : std::vector<Message>{});
    EXPECT_EQ(registry.opened, registry.closed);
  }
}

// The dialog as users must see it; Enter clicks the button that has the focus; the texts come
// from the build, stay whole and read well. (How the dialog opens and closes, and its messages,
// are the program's walk.)
TEST(FrmAbout, AsUsersSeeItAndAnswersEnterWhereTheFocusIs) {
  CountingRegistry registry;
  FakeProgramLauncher launcher;
  RecordingMessageBoxes messages;
  const auto open = [&] {
    auto dialog = std::make_unique<frmAbout>(registry, launcher, messages);
    dialog->show();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
  };
  // clang-format off
  ExpectLayout(open, {
      {"cmdOK", "frmAbout", {275, 175, 100, 23}, 9}, {"cmdSysInfo", "frmAbout", {276, 205, 99, 23}, 9},
      {"lblDescription", "frmAbout", {104, 72, 259, 70}, 9},
      {"lblDisclaimer", "frmAbout", {17, 176, 234, 55}, 9},
      {"lblTitle", "frmAbout", {104, 16, 259, 32}, 9}, {"lblVersion", "frmAbout", {104, 52, 259, 15}, 9},
      {"Label1", "frmAbout", {8, 88, 0, 0}, 12}, {"Image1", "frmAbout", {24, 24, 51, 51}, 9}});
  // clang-format on
  const auto dialog = open();
  EXPECT_EQ(dialog->size(), QSize(382, 237));
  EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->palette().color(QPalette::WindowText),
            QColor(0, 0, 192));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSysInfo");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(messages.shown.size(), 1U);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("关于 ") + kApplicationTitle);
  EXPECT_EQ(dialog->findChild<QLabel*>("lblTitle")->text(), kApplicationTitle);
  EXPECT_EQ(dialog->findChild<QLabel*>("lblVersion")->text(), "版本 " DUCTCALC_VERSION);
  EXPECT_EQ(AccessibilityFaults(*dialog, QAccessible::Dialog), "");
}

// The relative luminance of a colour, and the contrast of two, as WCAG defines them.
double Luminance(QColor colour) {
  const auto channel = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}
double Contrast(QColor a, QColor b) {
  const auto [dark, light] = std::minmax({Luminance(a), Luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

// Under a dark desktop palette, each text drawn in a fixed colour stands out from the background
// the dialog's picture shows behind it as readable text must (4.5 : 1).
TEST(FrmAbout, FixedColoursStayReadableUnderADarkDesktop) {
  const QPalette desktop = QApplication::palette();
  QApplication::setPalette(QPalette(QColor(53, 53, 53)));  // light texts on dark grey
  CountingRegistry registry;
  FakeProgramLauncher launcher;
  RecordingMessageBoxes messages;
  frmAbout dialog(registry, launcher, messages);
  const QImage picture = dialog.grab().toImage();
  for (const char* name : {"lblTitle", "lblDescription", "lblDisclaimer", "Label1"}) {
    const auto* label = dialog.findChild<QWidget*>(name);
    const QColor text = label->palette().color(QPalette::WindowText);
    const QColor background = picture.pixelColor(label->geometry().topLeft());
    EXPECT_GE(Contrast(text, background), 4.5)
        << name << " " << text.name().toStdString() << " on " << background.name().toStdString();
  }
  QApplication::setPalette(desktop);
}

}  // namespace
}  // namespace duct
