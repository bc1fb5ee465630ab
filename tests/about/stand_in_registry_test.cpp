#include "stand_in_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "get_key_value.h"
#include "sys_info.h"

namespace duct {
namespace {

struct InstalledCase {
  const char* name;
  std::map<std::string, std::string> installed;  // program name -> full path
  std::string expectedPath;                      // empty: no value at all
};

void PrintTo(const InstalledCase& c, std::ostream* out) { *out << c.name; }

class StandInRegistryTest : public testing::TestWithParam<InstalledCase> {};

TEST_P(StandInRegistryTest, HoldsThePathOfTheFirstInstalledTool) {
  const auto installed = GetParam().installed;
  const auto registry = MakeStandInRegistry([&installed](const std::string& name) {
    const auto found = installed.find(name);
    return found == installed.end() ? std::string() : found->second;
  });
  std::string path;
  EXPECT_EQ(GetKeyValue(*registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, path),
            !GetParam().expectedPath.empty());
  EXPECT_EQ(path, GetParam().expectedPath);
  std::string folder;
  EXPECT_FALSE(GetKeyValue(*registry, kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, folder));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, StandInRegistryTest,
    testing::Values(
        InstalledCase{"None", {}, ""},
        InstalledCase{"HardInfo", {{"hardinfo", "/usr/bin/hardinfo"}}, "/usr/bin/hardinfo"},
        InstalledCase{"HardInfo2First",
                      {{"hardinfo", "/usr/bin/hardinfo"}, {"hardinfo2", "/opt/hi/hardinfo2"}},
                      "/opt/hi/hardinfo2"},
        InstalledCase{"KInfoCenterLast",
                      {{"kinfocenter", "/usr/bin/kinfocenter"}, {"hardinfo", "/usr/bin/hardinfo"}},
                      "/usr/bin/hardinfo"},
        InstalledCase{
            "KInfoCenterAlone", {{"kinfocenter", "/usr/bin/kinfocenter"}}, "/usr/bin/kinfocenter"}),
    [](const testing::TestParamInfo<InstalledCase>& info) { return info.param.name; });

}  // namespace
}  // namespace duct
