#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "about/get_key_value.h"
#include "about/in_memory_registry.h"
#include "about/sys_info.h"
#include "tests/support/fake_platform.h"

namespace duct {

// What GetKeyValue answers for each kind of value the tool's key can hold. The in-memory
// registry must answer as Windows' own does, so the same cases run against both.
struct GetKeyValueCase {
  std::optional<InMemoryRegistry::Value> stored;  // none: the key is there, the value not
  bool read;
  std::string keyVal;   // what the caller holds afterwards; it passes in "earlier"
  bool denied = false;  // the key does not open: nothing to close
};

inline std::vector<GetKeyValueCase> GetKeyValueCases() {
  using namespace std::string_literals;
  return {
      {{{kRegSz, "C:\\info.exe\0"s}}, true, "C:\\info.exe"},  // the final zero dropped
      {{{kRegSz, "C:\\info.exe"}}, true, "C:\\info.exe"},
      {{{kRegSz, "ab\0\0"s}}, true, "ab\0"s},  // one zero only
      {{{kRegDword, "\x78\x56\x34\x12"s}}, true, "&h12345678"},
      {{{3, "\x01\x02"s}}, true, "earlier"},  // another type keeps the caller's text
      // The 1024-byte buffer: full, then one byte short. (Wine does not read a string of 1024
      // bytes without its final zero into it, which the in-memory registry does.)
      {{{kRegSz, std::string(1023, 'a') + '\0'}}, true, std::string(1023, 'a')},
      {{{kRegSz, std::string(1024, 'a') + '\0'}}, false, ""},  // longer than the buffer: absent
      {std::nullopt, false, ""},
      {{{kRegSz, "x"}}, false, "", true},
  };
}

// Reads the tool's path from `registry`, which holds the case's value, and checks the answer
// and that the one key opened was closed again, having been opened for reading only.
template <typename Base>
void ExpectGetKeyValueAnswers(const GetKeyValueCase& answer, CountingRegistry<Base>& registry) {
  if (answer.denied) {
    registry.deniedKeys.insert(kToolPathKey);
  }
  std::string keyVal = "earlier";
  EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, keyVal),
            answer.read);
  EXPECT_EQ(keyVal, answer.keyVal);
  EXPECT_EQ(registry.opened, answer.denied ? 0 : 1);
  EXPECT_EQ(registry.closed, registry.opened) << "every key opened is closed";
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead}) << "no write access";
}

}  // namespace duct
