// The libFuzzer entry point of one check, chosen when it is built (DUCTCALC_FUZZ_CHECK). A
// finding stops the run, so that libFuzzer keeps the input as a crash artifact.

#include <cstdio>
#include <cstdlib>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const auto finding = duct::fuzz::DUCTCALC_FUZZ_CHECK({data, size})) {
    std::fprintf(stderr, "finding: %s\n", finding->c_str());
    std::abort();
  }
  return 0;
}
