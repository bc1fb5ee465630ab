// Every input the fuzzers kept, and every input that once found a fault, runs through the same
// checks as under libFuzzer, with the ordinary compiler.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/checks.h"

namespace duct::fuzz {
namespace {

TEST(CorpusReplay, EveryKeptInputPassesTheChecks) {
  const auto folder = std::filesystem::path(DUCTCALC_FUZZ_CORPUS_DIR) / "parse_length";
  EXPECT_FALSE(std::filesystem::is_empty(folder)) << folder;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto finding = CheckParseLength(bytes);
    EXPECT_FALSE(finding) << entry.path() << ": " << finding.value_or("");
  }
}

}  // namespace
}  // namespace duct::fuzz
