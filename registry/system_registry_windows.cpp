#include <windows.h>

#include <string>

#include "registry/system_registry.h"

namespace duct {
namespace {

HKEY ToHandle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

// `bytes` in the code page `from` re-encoded in the code page `to`, through UTF-16. Not Qt's
// local 8-bit conversion, which drops bytes that are no character of the code page and a final
// zero byte, where the registry's text keeps them as Windows reads them.
std::string Recode(std::string_view bytes, UINT from, UINT to) {
  if (bytes.empty()) {
    return {};
  }
  const int inLength = static_cast<int>(bytes.size());
  const int wideLength = MultiByteToWideChar(from, 0, bytes.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(from, 0, bytes.data(), inLength, wide.data(), wideLength);
  const int outLength =
      WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), outLength, nullptr, nullptr);
  return out;
}

// The Windows registry through advapi32's 8-bit code-page functions.
class WindowsRegistry final : public Registry {
 public:
  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override;
  std::int32_t QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override;
  std::int32_t CloseKey(RegistryKey key) override;
  [[nodiscard]] std::string TextFromCodePage(std::string_view bytes) const override;
};

std::int32_t WindowsRegistry::OpenKey(RegistryKey root, const std::string& subKey,
                                      std::uint32_t options, std::uint32_t accessMask,
                                      RegistryKey* result) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExA(ToHandle(root), Recode(subKey, CP_UTF8, CP_ACP).c_str(),
                                       options, static_cast<REGSAM>(accessMask), &opened);
  *result = reinterpret_cast<RegistryKey>(opened);
  return status;
}

std::int32_t WindowsRegistry::QueryValue(RegistryKey key, const std::string& valueName,
                                         std::uint32_t* type, std::uint8_t* data,
                                         std::uint32_t* dataSize) {
  DWORD valueType = 0;
  DWORD size = *dataSize;
  const LSTATUS status = RegQueryValueExA(ToHandle(key), Recode(valueName, CP_UTF8, CP_ACP).c_str(),
                                          nullptr, &valueType, data, &size);
  *type = valueType;
  *dataSize = size;
  return status;
}

std::int32_t WindowsRegistry::CloseKey(RegistryKey key) { return RegCloseKey(ToHandle(key)); }

std::string WindowsRegistry::TextFromCodePage(std::string_view bytes) const {
  return Recode(bytes, CP_ACP, CP_UTF8);
}

}  // namespace

std::unique_ptr<Registry> MakeSystemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace duct
