#include "about/sys_info.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>

#include "about/get_key_value.h"
#include "about/qt_program_launcher.h"
#include "about/stand_in_registry.h"
#include "base/application_info.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_services.h"

namespace duct {
namespace {

using namespace std::string_literals;
constexpr std::uint32_t kRegBinary = 3;

struct ReadCase {
  const char* name;
  std::optional<InMemoryRegistry::Value> stored;  // none: the key exists without the value
  bool read;
  std::string keyVal;  // what the caller holds afterwards; it passes in "earlier"
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class GetKeyValueTest : public testing::TestWithParam<ReadCase> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
  CountingRegistry registry;
  registry.values.SetValue(kHkeyLocalMachine, kToolPathKey, "other", {kRegSz, "x"});
  if (GetParam().stored) {
    registry.values.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, *GetParam().stored);
  }
  std::string keyVal = "earlier";
  EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, keyVal),
            GetParam().read);
  EXPECT_EQ(keyVal, GetParam().keyVal);
  EXPECT_EQ(registry.opened, 1);
  EXPECT_EQ(registry.closed, 1);
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead});  // no write access
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    testing::Values(
        ReadCase{"StringWithFinalZero", {{kRegSz, "C:\\info.exe\0"s}}, true, "C:\\info.exe"},
        ReadCase{"StringWithoutFinalZero", {{kRegSz, "C:\\info.exe"}}, true, "C:\\info.exe"},
        ReadCase{"OnlyOneZeroDropped", {{kRegSz, "ab\0\0"s}}, true, "ab\0"s},
        ReadCase{"Number", {{kRegDword, "\x78\x56\x34\x12"s}}, true, "&h12345678"},
        ReadCase{"OtherTypeKeepsTheCallersText", {{kRegBinary, "\x01\x02"s}}, true, "earlier"},
        ReadCase{
            "Exactly1024Bytes", {{kRegSz, std::string(1024, 'a')}}, true, std::string(1024, 'a')},
        ReadCase{"MoreThan1024BytesCountsAsAbsent", {{kRegSz, std::string(1025, 'a')}}, false, ""},
        ReadCase{"MissingValue", std::nullopt, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetKeyValue, KeyThatDoesNotOpenGivesNothingAndNeedsNoClose) {
  CountingRegistry registry;
  registry.values.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, {kRegSz, "C:\\x"});
  registry.deniedKeys.insert(kToolPathKey);
  std::string keyVal = "earlier";
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, keyVal));
  EXPECT_EQ(keyVal, "");
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Missing", "x", keyVal));
  EXPECT_EQ(registry.opened + registry.closed, 0);
}

const std::string kToolPath = R"(C:\Program Files\Common Files\MSInfo\msinfo32.exe)";
const std::string kFolder = R"(C:\WINDOWS\system32)";
const std::string kFolderTool = kFolder + R"(\MSINFO32.EXE)";

struct StartCase {
  const char* name;
  std::optional<InMemoryRegistry::Value> toolPath;  // "PATH" of the first key
  std::optional<std::string> folder;                // "MSINFO" of the second key
  std::vector<std::string> files;                   // files that exist (and start)
  std::vector<std::string> expectedStarts;
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class StartSysInfoTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
  const StartCase& c = GetParam();
  CountingRegistry registry;
  if (c.toolPath) {
    registry.values.SetValue(kHkeyLocalMachine, kToolPathKey, kToolPathValue, *c.toolPath);
  }
  if (c.folder) {
    registry.values.SetValue(kHkeyLocalMachine, kToolFolderKey, kToolFolderValue,
                             {kRegSz, *c.folder + '\0'});
  }
  FakeProgramLauncher launcher;
  launcher.files.insert(c.files.begin(), c.files.end());
  RecordingMessageBoxes messages;

  StartSysInfo(registry, launcher, messages);

  EXPECT_EQ(launcher.started, c.expectedStarts);
  const bool started = !c.expectedStarts.empty() && launcher.files.count(c.expectedStarts[0]);
  const Message unavailable{"此时系统信息不可用", MessageIcon::None, kApplicationTitle};
  EXPECT_EQ(messages.shown, started ? std::vector<Message>{} : std::vector{unavailable});
  EXPECT_EQ(registry.opened, registry.closed);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, StartSysInfoTest,
    testing::Values(
        StartCase{"NeitherValue", std::nullopt, std::nullopt, {kFolderTool}, {}},
        // The first value wins, started as it stands, blanks and all.
        StartCase{"FirstValue",
                  {{kRegSz, kToolPath + '\0'}},
                  kFolder,
                  {kToolPath, kFolderTool},
                  {kToolPath}},
        StartCase{"SecondValueWithTheTool", std::nullopt, kFolder, {kFolderTool}, {kFolderTool}},
        StartCase{"SecondValueWithoutTheTool", std::nullopt, kFolder, {}, {}},
        StartCase{"FirstValueThatDoesNotStart",
                  {{kRegSz, kToolPath}},
                  kFolder,
                  {kFolderTool},
                  {kToolPath}},
        StartCase{"FirstValueEmpty", {{kRegSz, "\0"s}}, kFolder, {kFolderTool}, {}},
        StartCase{
            "FirstValueANumber", {{kRegDword, "\x01\0\0\0"s}}, kFolder, {kFolderTool}, {"&h1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Where there is no registry, its stand-in names the first system-information tool installed.
TEST(StandInRegistry, HoldsThePathOfTheFirstInstalledTool) {
  const std::vector<std::pair<std::map<std::string, std::string>, std::string>> cases = {
      {{}, ""},
      {{{"hardinfo", "/usr/bin/hardinfo"}, {"hardinfo2", "/opt/hardinfo2"}}, "/opt/hardinfo2"},
      {{{"kinfocenter", "/usr/bin/kinfocenter"}, {"hardinfo", "/usr/bin/hardinfo"}},
       "/usr/bin/hardinfo"}};
  for (const auto& [installed, expected] : cases) {
    const auto registry = MakeStandInRegistry([&installed](const std::string& name) {
      return installed.count(name) ? installed.at(name) : std::string();
    });
    std::string path;
    EXPECT_EQ(GetKeyValue(*registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, path),
              !expected.empty());
    EXPECT_EQ(path, expected);
  }
}

// The path is the program: it is never split at its blanks into a program and arguments, nor
// handed to a shell.
TEST(QtProgramLauncher, StartsThePathAsItStands) {
  QTemporaryDir folder;
  const QString file = folder.filePath("MSINFO32.EXE");
  ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
  QtProgramLauncher launcher;
  EXPECT_TRUE(launcher.IsFile(file.toStdString()));
  EXPECT_FALSE(launcher.IsFile(folder.path().toStdString()));
  EXPECT_TRUE(launcher.Start("/bin/true"));
  EXPECT_FALSE(launcher.Start("/bin/true --version"));
  EXPECT_FALSE(launcher.Start("/bin/sh -c true"));
  EXPECT_FALSE(launcher.Start(""));
  EXPECT_FALSE(launcher.Start(QDir::tempPath().toStdString()));
}

}  // namespace
}  // namespace duct
