#include "registry/get_key_value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace duct {
namespace {

constexpr std::uint32_t kBufferSize = 1024;  // in the code page's bytes

// "&h" and the number the (at most four, least significant first) bytes make, in hexadecimal.
std::string NumberText(std::string_view bytes) {
  std::uint32_t number = 0;
  const auto count = std::min<std::size_t>(bytes.size(), 4);
  for (std::size_t i = count; i-- > 0;) {
    number = (number << 8U) | static_cast<std::uint8_t>(bytes[i]);
  }
  std::array<char, 8> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number, 16).ptr;
  std::transform(digits.data(), end, digits.data(), [](char digit) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
  });
  return "&h" + std::string(digits.data(), end);
}

}  // namespace

bool GetKeyValue(Registry& registry, RegistryKey keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
  RegistryKey key = 0;
  if (registry.OpenKey(keyRoot, keyName, 0, kKeyRead, &key) != kErrorSuccess) {
    keyVal.clear();
    return false;
  }
  std::array<std::uint8_t, std::size_t{kBufferSize} * kUtf8BytesPerCodePageByte> buffer{};
  std::uint32_t size = kBufferSize;
  std::uint32_t type = 0;
  if (registry.QueryValue(key, subKeyRef, &type, buffer.data(), &size) != kErrorSuccess) {
    keyVal.clear();
    registry.CloseKey(key);
    return false;
  }
  std::string_view kept(reinterpret_cast<const char*>(buffer.data()),
                        std::min<std::size_t>(size, buffer.size()));
  if (!kept.empty() && kept.back() == '\0') {
    kept.remove_suffix(1);
  }
  if (type == kRegSz) {
    keyVal = kept;
  } else if (type == kRegDword) {
    keyVal = NumberText(kept);
  }
  registry.CloseKey(key);
  return true;
}

}  // namespace duct
