// The About dialog and its platform layer: the registry, the system-information tool.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include "about/frm_about.h"
#include "about/get_key_value.h"
#include "about/qt_program_launcher.h"
#include "about/sys_info.h"
#include "base/application_info.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/fake_platform.h"
#include "tests/support/get_key_value_cases.h"
#include "tests/support/layout_checks.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

using namespace std::string_literals;
using Value = std::optional<InMemoryRegistry::Value>;  // none: the key is there, the value not

TEST(GetKeyValue, ReadsOneValueAndClosesWhatItOpened) {
  for (const GetKeyValueCase& answer : GetKeyValueCases()) {
    CountingRegistry<> registry;
    registry.SetValue(kHkeyLocalMachine, kToolPathKey, "other", {kRegSz, "x"});
    if (answer.stored) {
      registry.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, *answer.stored);
    }
    ExpectGetKeyValueAnswers(answer, registry);
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
    CountingRegistry<> registry;
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

// The path is the program: never split at its blanks into a program and arguments, nor handed
// to a shell.
TEST(QtProgramLauncher, StartsThePathAsItStands) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkdir("with blank"));
  const QString blankFolder = QDir::toNativeSeparators(folder.filePath("with blank"));
  // A stand-in tool under a name with blanks, as in "C:\Program Files": each part alone names
  // nothing that could start.
  const QString suffix = QFileInfo(DUCTCALC_START_MARKER).suffix();
  const QString tool = blankFolder + QDir::separator() + "system info" +
                       (suffix.isEmpty() ? QString() : "." + suffix);
  ASSERT_TRUE(QFile::copy(DUCTCALC_START_MARKER, tool));
  QtProgramLauncher launcher;
  EXPECT_TRUE(launcher.IsFile(tool.toStdString()));
  EXPECT_FALSE(launcher.IsFile(blankFolder.toStdString()));
  for (const QString& refused : {tool + " --version", blankFolder, QString()}) {
    EXPECT_FALSE(launcher.Start(refused.toStdString())) << refused.toStdString();
  }
  ASSERT_TRUE(launcher.Start(tool.toStdString()));
  EXPECT_TRUE(QTest::qWaitFor([&tool] { return QFileInfo::exists(tool + ".started"); }, 10000));
}

// Every way of closing announces it once; the system-information button reports a missing tool
// once and leaves the dialog open; the texts come from the build, stay whole and read well.
TEST(FrmAbout, ClosesAndReportsAsTheUserAsks) {
  CountingRegistry<> registry;
  FakeProgramLauncher launcher;
  RecordingMessageBoxes messages;
  const auto open = [&] {
    auto dialog = std::make_unique<frmAbout>(registry, launcher, messages);
    dialog->show();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
  };
  const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  };
  const Qt::KeyboardModifiers altShift = Qt::AltModifier | Qt::ShiftModifier;
  const std::pair<Qt::Key, Qt::KeyboardModifiers> closingKeys[] = {
      {Qt::Key_Return, {}},  {Qt::Key_Escape, {}},  {Qt::Key_O, Qt::AltModifier},
      {Qt::Key_O, altShift}, {Qt::Key_unknown, {}},  // or the title bar's ×
  };
  for (const auto& [closing, modifiers] : closingKeys) {
    SCOPED_TRACE(QKeySequence(closing | modifiers).toString().toStdString());
    const auto dialog = open();
    QSignalSpy unloaded(dialog.get(), &frmAbout::Unloaded);
    closing == Qt::Key_unknown ? void(dialog->close()) : key(closing, modifiers);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(unloaded.count(), 1);
  }
  const auto dialog = open();
  QSignalSpy unloaded(dialog.get(), &frmAbout::Unloaded);
  key(Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(messages.shown.size(), 1U);
  key(Qt::Key_S, altShift);
  EXPECT_EQ(messages.shown.size(), 2U);
  key(Qt::Key_Tab);  // to 系统信息: Enter clicks the button that has the focus
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSysInfo");
  key(Qt::Key_Return);
  EXPECT_EQ(messages.shown.size(), 3U);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(unloaded.count(), 0);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("关于 ") + kApplicationTitle);
  EXPECT_EQ(dialog->findChild<QLabel*>("lblVersion")->text(), "版本 1.0.1");
  EXPECT_EQ(AccessibilityFaults(*dialog, QAccessible::Dialog), "");
  ExpectLayoutAtDesktopFontSizes(open);
}

}  // namespace
}  // namespace duct
