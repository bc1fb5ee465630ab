#include "sys_info.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "application_info.h"
#include "counting_registry.h"
#include "fake_program_launcher.h"
#include "recording_message_boxes.h"

namespace duct {
namespace {

const std::string kToolPath =
    R"(C:\Program Files\Common Files\Microsoft Shared\MSInfo\msinfo32.exe)";
const std::string kFolder = R"(C:\WINDOWS\system32)";
const std::string kFolderTool = kFolder + R"(\MSINFO32.EXE)";

struct StartCase {
  const char* name;
  std::optional<InMemoryRegistry::Value> toolPath;  // "PATH" of the first key
  std::optional<std::string> folder;                // "MSINFO" of the second key
  std::vector<std::string> files;                   // files that exist (and start)
  std::vector<std::string> expectedStarts;
  bool expectUnavailable;
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
  const std::vector<Message> unavailable = {
      {"此时系统信息不可用", MessageIcon::None, kApplicationTitle}};
  EXPECT_EQ(messages.shown, c.expectUnavailable ? unavailable : std::vector<Message>{});
  EXPECT_EQ(registry.opened, registry.closed);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, StartSysInfoTest,
    testing::Values(
        StartCase{"NeitherValue", std::nullopt, std::nullopt, {kFolderTool}, {}, true},
        // The first value wins, started as it stands, blanks and all.
        StartCase{"FirstValue",
                  {{kRegSz, kToolPath + '\0'}},
                  kFolder,
                  {kToolPath, kFolderTool},
                  {kToolPath},
                  false},
        StartCase{
            "SecondValueWithTheTool", std::nullopt, kFolder, {kFolderTool}, {kFolderTool}, false},
        StartCase{"SecondValueWithoutTheTool", std::nullopt, kFolder, {}, {}, true},
        StartCase{"FirstValueThatDoesNotStart",
                  {{kRegSz, kToolPath}},
                  kFolder,
                  {kFolderTool},
                  {kToolPath},
                  true},
        StartCase{
            "FirstValueEmpty", {{kRegSz, std::string(1, '\0')}}, kFolder, {kFolderTool}, {}, true},
        StartCase{"FirstValueANumber",
                  {{kRegDword, std::string("\x01\0\0\0", 4)}},
                  kFolder,
                  {kFolderTool},
                  {"&h1"},
                  true},
        StartCase{
            "FirstValueOfAnotherType", {{3, "C:\\x.exe"}}, std::nullopt, {"C:\\x.exe"}, {}, true}),
    [](const testing::TestParamInfo<StartCase>& info) { return info.param.name; });

}  // namespace
}  // namespace duct
