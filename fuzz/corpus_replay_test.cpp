// Every input the fuzzers kept, and every input that once found a fault, runs through the same
// checks as under libFuzzer, with the ordinary compiler.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

#include "fuzz/checks.h"

namespace duct::fuzz {
namespace {

struct Target {
  const char* name;  // also the corpus folder
  Finding (*check)(Bytes);
  friend std::ostream& operator<<(std::ostream& out, const Target& t) { return out << t.name; }
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CorpusReplay : public testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryKeptInputPassesTheChecks) {
  const auto folder = std::filesystem::path(DUCTCALC_FUZZ_CORPUS_DIR) / GetParam().name;
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) {
      continue;
    }
    if (const auto finding = GetParam().check(ReadBytes(entry.path()))) {
      ADD_FAILURE() << entry.path().filename() << ": " << *finding;
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "empty corpus in " << folder;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CorpusReplay,
    testing::Values(Target{"parse_length", [](Bytes b) { return CheckParseLength(b); }},
                    Target{"format_length", [](Bytes b) { return CheckFormatLength(b); }},
                    Target{"calculate_command", [](Bytes b) { return CheckCalculateCommand(b); }}),
    [](const testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace duct::fuzz
