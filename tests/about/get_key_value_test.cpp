#include "get_key_value.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "counting_registry.h"

namespace duct {
namespace {

const std::string kKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
const std::string kValue = "PATH";
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
  registry.values.SetValue(kHkeyLocalMachine, kKey, "other", {kRegSz, "x"});
  if (GetParam().stored) {
    registry.values.SetValue(kHkeyLocalMachine, kKey, kValue, *GetParam().stored);
  }
  std::string keyVal = "earlier";
  EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kKey, kValue, keyVal), GetParam().read);
  EXPECT_EQ(keyVal, GetParam().keyVal);
  EXPECT_EQ(registry.opened, 1);
  EXPECT_EQ(registry.closed, 1);
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead});
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    testing::Values(
        ReadCase{"StringWithFinalZero",
                 {{kRegSz, "C:\\Tools\\info.exe\0"s}},
                 true,
                 "C:\\Tools\\info.exe"},
        ReadCase{"StringWithoutFinalZero",
                 {{kRegSz, "C:\\Tools\\info.exe"}},
                 true,
                 "C:\\Tools\\info.exe"},
        ReadCase{"OnlyOneZeroDropped", {{kRegSz, "ab\0\0"s}}, true, "ab\0"s},
        ReadCase{"EmptyString", {{kRegSz, ""}}, true, ""},
        ReadCase{"Number", {{kRegDword, "\x78\x56\x34\x12"s}}, true, "&h12345678"},
        ReadCase{"NumberWithHighZeroByte", {{kRegDword, "\x34\x12\0\0"s}}, true, "&h1234"},
        ReadCase{"OtherTypeKeepsTheCallersText", {{kRegBinary, "\x01\x02"s}}, true, "earlier"},
        ReadCase{
            "Exactly1024Bytes", {{kRegSz, std::string(1024, 'a')}}, true, std::string(1024, 'a')},
        ReadCase{"Exactly1024BytesWithZero",
                 {{kRegSz, std::string(1023, 'a') + '\0'}},
                 true,
                 std::string(1023, 'a')},
        ReadCase{"MoreThan1024BytesCountsAsAbsent", {{kRegSz, std::string(1025, 'a')}}, false, ""},
        ReadCase{"MissingValue", std::nullopt, false, ""}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(GetKeyValue, KeyThatDoesNotOpenGivesNothingAndNeedsNoClose) {
  CountingRegistry registry;
  registry.values.SetValue(kHkeyLocalMachine, kKey, kValue, {kRegSz, "C:\\x.exe"});
  registry.deniedKeys.insert(kKey);
  std::string keyVal = "earlier";
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kKey, kValue, keyVal));
  EXPECT_EQ(keyVal, "");
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Missing", kValue, keyVal));
  EXPECT_EQ(registry.opened, 0);
  EXPECT_EQ(registry.closed, 0);
}

}  // namespace
}  // namespace duct
