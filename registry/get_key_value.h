#pragma once

#include <string>

#include "registry/registry.h"

namespace duct {

// Reads one registry value as text into `keyVal` and returns true, or returns false with
// `keyVal` empty when the key does not open or the value cannot be read (a value longer than
// 1024 bytes among them). A string gives its text without a final zero byte; a 32-bit number
// gives "&h" and its hexadecimal digits; any other type leaves `keyVal` as passed in. A key
// that was opened is closed on every path.
bool GetKeyValue(Registry& registry, RegistryKey keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

}  // namespace duct
