#pragma once

#include "about/registry.h"

namespace duct {

// The Windows registry through advapi32's 8-bit code-page functions.
class WindowsRegistry : public Registry {
 public:
  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override;
  std::int32_t QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override;
  std::int32_t CloseKey(RegistryKey key) override;
  [[nodiscard]] std::string TextFromCodePage(std::string_view bytes) const override;
};

}  // namespace duct
