// Windows' own registry as the About dialog reads it: a text counts against the 1024-byte limit
// by its length in the system's code page, as the 8-bit functions count it, whatever it takes
// in UTF-8 or UTF-16; RegQueryValueExA itself is the reference.

#include <windows.h>

#include <gtest/gtest.h>

#include <QString>
#include <array>

#include "registry/get_key_value.h"
#include "registry/system_registry.h"

namespace duct {
namespace {

TEST(SystemRegistry, CountsATextAgainstTheLimitInTheCodePage) {
  const std::string keyName = R"(Software\ductcalc-tests)";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const auto registry = MakeSystemRegistry();
  std::array<int, 2> outcomes{};  // absent, read: both sides of the limit are met
  // One byte or two in the Chinese code page, none of it ('?') beyond the plane.
  for (const std::wstring unit : {L"a", L"\u98ce", L"\uc815", L"\U0001F300"}) {
    for (const std::size_t count : {340, 341, 511, 512, 513, 1023, 1024, 1025}) {
      for (const std::size_t zeros : {0, 1}) {
        std::wstring text;
        for (std::size_t i = 0; i < count; ++i) {
          text += unit;
        }
        const auto bytes = static_cast<DWORD>((text.size() + zeros) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key, L"PATH", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()), bytes),
                  ERROR_SUCCESS);
        std::array<BYTE, 1024> buffer{};
        DWORD size = buffer.size();
        const bool fits =
            RegQueryValueExA(key, "PATH", nullptr, nullptr, buffer.data(), &size) == ERROR_SUCCESS;
        std::string value = "earlier";
        const auto root = static_cast<RegistryKey>(static_cast<std::int32_t>(0x80000001U));
        EXPECT_EQ(GetKeyValue(*registry, root, keyName, "PATH", value), fits)
            << count << " of U+" << std::hex << static_cast<unsigned>(unit[0]) << ", " << zeros
            << " zero";
        EXPECT_EQ(QString::fromStdString(value), fits ? QString::fromStdWString(text) : "");
        ++outcomes.at(fits ? 1 : 0);
      }
    }
  }
  EXPECT_GT(outcomes[0], 0);
  EXPECT_GT(outcomes[1], 0);
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, keyName.c_str());
}

}  // namespace
}  // namespace duct
