// The registry layer the About dialog reads through: one value read as text, and the registry of
// systems that have none.

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "registry/get_key_value.h"
#include "registry/tool_registry.h"
#include "tests/support/fake_platform.h"

namespace duct {
namespace {

using namespace std::string_literals;
using Value = std::optional<InMemoryRegistry::Value>;  // none: the key is there, the value not

// Where the registry names the tool's full path, under the local-machine root.
const std::string kPathKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";

// Every key opened is closed again, and opened for reading only (KEY_READ).
TEST(GetKeyValue, ReadsOneValueAndClosesWhatItOpened) {
  const struct {
    Value stored;  // the value beside another of the same key
    bool read;
    std::string keyVal;      // what the caller holds afterwards; it passes in "earlier"
    bool keyAbsent = false;  // the key does not open: nothing to close
  } cases[] = {
      {{{1, "C:\\info.exe\0"s}}, true, "C:\\info.exe"},  // the final zero dropped
      {{{1, "C:\\info.exe"}}, true, "C:\\info.exe"},
      {{{1, "ab\0\0"s}}, true, "ab\0"s},  // one zero only
      {{{4, "\x78\x56\x34\x12"s}}, true, "&h12345678"},
      {{{1, std::string(1024, 'a')}}, true, std::string(1024, 'a')},  // the buffer full
      {{{1, std::string(1024, 'a') + '\0'}}, false, ""},              // longer than it: absent
      {std::nullopt, false, ""},
      {std::nullopt, false, "", true},
  };
  const auto read = [](const Value& stored, bool keyAbsent, std::string& answer) {
    CountingRegistry registry;
    if (!keyAbsent) {
      registry.SetValue(kHkeyLocalMachine, kPathKey, "other", {1, "x"});
    }
    if (stored) {
      registry.SetValue(kHkeyLocalMachine, kPathKey, "PATH", *stored);
    }
    const bool found = GetKeyValue(registry, kHkeyLocalMachine, kPathKey, "PATH", answer);
    EXPECT_EQ(registry.opened, keyAbsent ? 0 : 1);
    EXPECT_EQ(registry.closed, registry.opened);
    EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{0x20019});
    return found;
  };
  for (const auto& [stored, found, keyVal, keyAbsent] : cases) {
    std::string answer = "earlier";
    EXPECT_EQ(read(stored, keyAbsent, answer), found);
    EXPECT_EQ(answer, keyVal);
  }
  // Any type but a string (1) and a number (4) leaves the caller's text.
  std::string answer = "earlier";
  for (const std::uint32_t type : {0, 2, 3, 5, 6, 7, 8, 9, 10, 11}) {
    EXPECT_TRUE(read({{type, "C:\\info.exe\0"s}}, false, answer)) << "type " << type;
  }
  EXPECT_EQ(answer, "earlier");
}

// Without a registry the tool is the first of hardinfo2, hardinfo and kinfocenter installed at
// the time the registry is read: one installed or removed while the program runs counts.
TEST(ToolRegistry, NamesTheFirstToolInstalledNow) {
  std::set<std::string> installed;
  const auto registry = MakeToolRegistry([&installed](const std::string& name) {
    return installed.count(name) ? "/usr/bin/" + name : "";
  });
  const auto tool = [&registry] {
    std::string path = "earlier";
    return GetKeyValue(*registry, kHkeyLocalMachine, kPathKey, "PATH", path) ? path : "none";
  };
  EXPECT_EQ(tool(), "none");
  installed = {"kinfocenter", "hardinfo"};
  EXPECT_EQ(tool(), "/usr/bin/hardinfo");
  installed = {"kinfocenter", "hardinfo2"};
  EXPECT_EQ(tool(), "/usr/bin/hardinfo2");
  installed.clear();
  EXPECT_EQ(tool(), "none");
}

}  // namespace
}  // namespace duct
