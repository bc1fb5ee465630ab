#pragma once

// The body of every libFuzzer entry point: a check that finds something stops the run, so that
// libFuzzer keeps the input as a crash artifact.

#include <cstdio>
#include <cstdlib>

#include "fuzz/checks.h"

namespace duct::fuzz {

inline int RunCheck(const Finding& finding) {
  if (finding) {
    std::fprintf(stderr, "finding: %s\n", finding->c_str());
    std::abort();
  }
  return 0;
}

}  // namespace duct::fuzz
