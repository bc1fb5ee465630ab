#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/system_registry.h"

namespace duct {
namespace {

HKEY ToHandle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

std::wstring Wide(const std::string& utf8) {
  const int inLength = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* wide, int length) {
  const int outLength = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), outLength, nullptr, nullptr);
  return utf8;
}

// The Windows registry through advapi32's UTF-16 functions, as Windows stores its text: the
// 8-bit code-page functions would turn a character outside the system's code page into '?'. A
// string value (REG_SZ), the one type read as text, comes back as the code-page functions give
// it, zero bytes included, but in UTF-8, and its length is what it takes in the system's code page
// (CP_ACP), as those functions count it, whatever it takes in UTF-8; any other value as it is
// stored.
class WindowsRegistry final : public Registry {
 public:
  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override;
  std::int32_t QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override;
  std::int32_t CloseKey(RegistryKey key) override;
};

std::int32_t WindowsRegistry::OpenKey(RegistryKey root, const std::string& subKey,
                                      std::uint32_t options, std::uint32_t accessMask,
                                      RegistryKey* result) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHandle(root), Wide(subKey).c_str(), options,
                                       static_cast<REGSAM>(accessMask), &opened);
  *result = reinterpret_cast<RegistryKey>(opened);
  return status;
}

std::int32_t WindowsRegistry::QueryValue(RegistryKey key, const std::string& valueName,
                                         std::uint32_t* type, std::uint8_t* data,
                                         std::uint32_t* dataSize) {
  const std::wstring name = Wide(valueName);
  DWORD valueType = 0;
  DWORD size = 0;
  LSTATUS status =
      RegQueryValueExW(ToHandle(key), name.c_str(), nullptr, &valueType, nullptr, &size);
  std::vector<BYTE> stored(size);
  if (status == ERROR_SUCCESS) {
    status =
        RegQueryValueExW(ToHandle(key), name.c_str(), nullptr, &valueType, stored.data(), &size);
    stored.resize(std::min<std::size_t>(size, stored.size()));
  }
  if (status != ERROR_SUCCESS) {
    return status;
  }
  std::string bytes(stored.begin(), stored.end());
  std::size_t length = bytes.size();
  if (valueType == REG_SZ) {
    std::wstring wide(stored.size() / sizeof(wchar_t), L'\0');
    std::copy_n(stored.begin(), wide.size() * sizeof(wchar_t),
                reinterpret_cast<BYTE*>(wide.data()));
    const int units = static_cast<int>(wide.size());
    bytes = Utf8(wide.data(), units);
    length = static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr));
  }
  *type = valueType;
  const std::uint32_t room = *dataSize;
  *dataSize = static_cast<std::uint32_t>(length);
  if (length > room || bytes.size() > std::size_t{room} * kUtf8BytesPerCodePageByte) {
    return ERROR_MORE_DATA;
  }
  *dataSize = static_cast<std::uint32_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), data);
  return ERROR_SUCCESS;
}

std::int32_t WindowsRegistry::CloseKey(RegistryKey key) { return RegCloseKey(ToHandle(key)); }

}  // namespace

std::unique_ptr<Registry> MakeSystemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace duct
