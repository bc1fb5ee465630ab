// The About dialog's platform layer against Windows' own registry and process start (Wine's,
// where the cross build's tests run). HKEY_LOCAL_MACHINE is mapped, for this process only, onto
// a scratch key of the current user, so the tests neither need nor touch the machine's values.

#include <windows.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <string>

#include "about/get_key_value.h"
#include "about/qt_program_launcher.h"
#include "about/sys_info.h"
#include "about/windows_registry.h"
#include "base/application_info.h"
#include "tests/support/fake_platform.h"
#include "tests/support/get_key_value_cases.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

using namespace std::string_literals;

std::wstring Wide(const std::string& utf8) { return QString::fromStdString(utf8).toStdWString(); }

// HKEY_LOCAL_MACHINE of this process, made of an empty scratch key while the object lives.
class ScratchMachine {
 public:
  ScratchMachine() : path_(L"Software\\ductcalc tests\\" + std::to_wstring(GetCurrentProcessId())) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &scratch_, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch_), ERROR_SUCCESS);
  }
  ~ScratchMachine() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(scratch_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  ScratchMachine(const ScratchMachine&) = delete;
  ScratchMachine& operator=(const ScratchMachine&) = delete;

  // A value stored through the 8-bit function, `bytes` as they are, or through the UTF-16 one
  // as text with its final zero.
  void SetBytes(const std::string& key, const std::string& name, DWORD type,
                const std::string& bytes) const {
    const HKEY opened = Create(key);
    EXPECT_EQ(
        RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    RegCloseKey(opened);
  }
  void SetText(const std::string& key, const std::string& name, const std::string& utf8) const {
    const HKEY opened = Create(key);
    const std::wstring text = Wide(utf8);
    EXPECT_EQ(RegSetValueExW(opened, Wide(name).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(opened);
  }

 private:
  [[nodiscard]] HKEY Create(const std::string& key) const {
    HKEY opened = nullptr;
    EXPECT_EQ(RegCreateKeyExW(scratch_, Wide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &opened, nullptr),
              ERROR_SUCCESS);
    return opened;
  }

  std::wstring path_;
  HKEY scratch_ = nullptr;
};

TEST(WindowsRegistry, GetKeyValueReadsWhatTheRegistryHoldsAndClosesWhatItOpened) {
  for (const GetKeyValueCase& answer : GetKeyValueCases()) {
    const ScratchMachine machine;
    machine.SetBytes(kToolPathKey, "other", REG_SZ, "x\0"s);
    if (answer.stored) {
      machine.SetBytes(kToolPathKey, kToolPathValue, answer.stored->type, answer.stored->bytes);
    }
    CountingRegistry<WindowsRegistry> registry;
    ExpectGetKeyValueAnswers(answer, registry);
  }

  const ScratchMachine machine;  // no key at all: nothing opened, nothing to close
  CountingRegistry<WindowsRegistry> registry;
  std::string keyVal = "earlier";
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, keyVal));
  EXPECT_EQ(keyVal, "");
  EXPECT_EQ(registry.opened + registry.closed, 0);
}

// Names and text cross the 8-bit functions in the system's code page, both ways.
TEST(WindowsRegistry, TextCrossesTheAnsiCodePage) {
  if (GetACP() != 936) {
    GTEST_SKIP() << "needs the Simplified Chinese code page (936), not " << GetACP();
  }
  const std::string path = R"(D:\工具\系统信息.exe)";
  const ScratchMachine machine;
  machine.SetText(R"(SOFTWARE\当量直径)", "路径", path);
  CountingRegistry<WindowsRegistry> registry;
  std::string keyVal;
  EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, R"(SOFTWARE\当量直径)", "路径", keyVal));
  EXPECT_EQ(keyVal, path);
}

// The tool is started as the registry names it, blanks and all, with no shell in between; a
// stand-in tool leaves a file beside itself when it starts.
TEST(WindowsRegistry, StartSysInfoStartsTheToolTheRegistryNames) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid() && QDir(scratch.path()).mkpath("Shared Tools/MSInfo"));
  const QString folder = QDir::toNativeSeparators(scratch.filePath("Shared Tools/MSInfo"));
  const QString named = folder + R"(\system info.exe)";
  ASSERT_TRUE(QFile::copy(DUCTCALC_START_MARKER, named));
  const QString emptyFolder = QDir::toNativeSeparators(scratch.path());
  const Message unavailable{"此时系统信息不可用", MessageIcon::None, kApplicationTitle};

  const struct {
    const char* what;
    std::optional<std::pair<DWORD, std::string>> path;  // the first value
    std::optional<QString> folder;                      // the second
    QString started;                                    // empty: nothing, and the message
  } cases[] = {
      {"the first value", {{REG_SZ, named.toStdString() + '\0'}}, folder, named},
      {"only the second, with the tool", std::nullopt, folder, folder + R"(\MSINFO32.EXE)"},
      {"only the second, without it", std::nullopt, emptyFolder, {}},
      {"neither", std::nullopt, std::nullopt, {}},
      {"a number as the first", {{REG_DWORD, "\x01\0\0\0"s}}, folder, {}},
  };
  ASSERT_TRUE(QFile::copy(DUCTCALC_START_MARKER, folder + R"(\MSINFO32.EXE)"));
  for (const auto& [what, path, second, started] : cases) {
    SCOPED_TRACE(what);
    const ScratchMachine machine;
    if (path) {
      machine.SetBytes(kToolPathKey, kToolPathValue, path->first, path->second);
    }
    if (second) {
      machine.SetBytes(kToolFolderKey, kToolFolderValue, REG_SZ, second->toStdString() + '\0');
    }
    CountingRegistry<WindowsRegistry> registry;
    QtProgramLauncher launcher;
    RecordingMessageBoxes messages;
    StartSysInfo(registry, launcher, messages);
    EXPECT_EQ(registry.opened, registry.closed);
    if (started.isEmpty()) {
      EXPECT_EQ(messages.shown, std::vector{unavailable});
    } else {
      EXPECT_EQ(messages.shown, std::vector<Message>{});
      EXPECT_TRUE(
          QTest::qWaitFor([&started] { return QFile::remove(started + ".started"); }, 10000))
          << "not started";
    }
  }
  EXPECT_FALSE(QFileInfo::exists(named + ".started") ||
               QFileInfo::exists(folder + R"(\MSINFO32.EXE.started)"))
      << "started when it should not have been";
}

}  // namespace
}  // namespace duct
