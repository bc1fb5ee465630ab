// The About dialog and its platform layer: the registry, the system-information tool.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>
#include <optional>

#include "about/frm_about.h"
#include "about/get_key_value.h"
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

// Every key opened is closed again, and opened for reading only.
TEST(GetKeyValue, ReadsOneValueAndClosesWhatItOpened) {
  const struct {
    Value stored;  // the value beside another of the same key
    bool read;
    std::string keyVal;   // what the caller holds afterwards; it passes in "earlier"
    bool denied = false;  // the key does not open: nothing to close
  } cases[] = {
      {{{kRegSz, "C:\\info.exe\0"s}}, true, "C:\\info.exe"},  // the final zero dropped
      {{{kRegSz, "C:\\info.exe"}}, true, "C:\\info.exe"},
      {{{kRegSz, "ab\0\0"s}}, true, "ab\0"s},  // one zero only
      {{{kRegDword, "\x78\x56\x34\x12"s}}, true, "&h12345678"},
      {{{3, "\x01\x02"s}}, true, "earlier"},  // another type keeps the caller's text
      {{{kRegSz, std::string(1024, 'a')}}, true, std::string(1024, 'a')},  // the buffer full
      {{{kRegSz, std::string(1024, 'a') + '\0'}}, false, ""},              // longer than it: absent
      {std::nullopt, false, ""},
      {{{kRegSz, "x"}}, false, "", true},
  };
  for (const auto& [stored, read, keyVal, denied] : cases) {
    CountingRegistry registry;
    registry.SetValue(kHkeyLocalMachine, kToolPathKey, "other", {kRegSz, "x"});
    if (stored) {
      registry.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, *stored);
    }
    if (denied) {
      registry.deniedKeys.insert(kToolPathKey);
    }
    std::string answer = "earlier";
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, answer), read);
    EXPECT_EQ(answer, keyVal);
    EXPECT_EQ(registry.opened, denied ? 0 : 1);
    EXPECT_EQ(registry.closed, registry.opened);
    EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead});
  }
}

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
      {{{kRegSz, tool + '\0'}}, folder, {tool, folderTool}, {tool}, false},  // as it stands
      {std::nullopt, folder, {folderTool}, {folderTool}, false},
      {std::nullopt, folder, {}, {}, true},
      {{{kRegSz, tool}}, folder, {folderTool}, {tool}, true},  // the first does not start
      {{{kRegSz, "\0"s}}, folder, {folderTool}, {}, true},
      {{{kRegDword, "\x01\0\0\0"s}}, folder, {folderTool}, {"&h1"}, true},
  };
  for (const auto& [path, dir, files, started, unavailable] : cases) {
    CountingRegistry registry;
    if (path) {
      registry.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, *path);
    }
    if (dir) {
      registry.SetValue(kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, {kRegSz, *dir + '\0'});
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

// Enter clicks the button that has the focus; the texts come from the build, stay whole and read
// well. (How the dialog opens and closes, and its messages, are the program's walk.)
TEST(FrmAbout, AnswersEnterWhereTheFocusIsAndReadsWell) {
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
  const auto dialog = open();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSysInfo");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(messages.shown.size(), 1U);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("关于 ") + kApplicationTitle);
  EXPECT_EQ(dialog->findChild<QLabel*>("lblVersion")->text(), "版本 1.0.1");
  EXPECT_EQ(AccessibilityFaults(*dialog, QAccessible::Dialog), "");
  ExpectLayoutAtDesktopFontSizes(open);
}

}  // namespace
}  // namespace duct
