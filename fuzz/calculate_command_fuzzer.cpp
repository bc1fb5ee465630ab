#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duct::fuzz::RunCheck(duct::fuzz::CheckCalculateCommand({data, size}));
}
