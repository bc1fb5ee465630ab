// Checks GetKeyValue over the real Windows registry (run under Wine by
// scripts/check-windows-registry): writes values of each kind under a key of its own, reads
// them back through the registry layer and removes the key. Exit status: failures counted.

#include <windows.h>

#include <cstdio>
#include <string>

#include "get_key_value.h"
#include "windows_registry.h"

namespace {

const char* const kTestKey = "SOFTWARE\\ductcalc-registry-check";

int failures = 0;

void Write(HKEY key, const char* name, DWORD type, const std::string& bytes) {
  const LSTATUS status =
      RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
  if (status != ERROR_SUCCESS) {
    std::printf("FAIL writing %s: status %ld\n", name, static_cast<long>(status));
    ++failures;
  }
}

void Check(const char* what, const char* keyName, const char* valueName, bool expectedRead,
           const std::string& expectedText) {
  duct::WindowsRegistry registry;
  std::string text = "earlier";
  const bool read = duct::GetKeyValue(registry, duct::kHkeyLocalMachine, keyName, valueName, text);
  const bool ok = read == expectedRead && text == expectedText;
  std::printf("%s %-28s read=%d length=%zu\n", ok ? "ok  " : "FAIL", what, read ? 1 : 0,
              text.size());
  failures += ok ? 0 : 1;
}

}  // namespace

int main() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    std::printf("FAIL cannot create HKLM\\%s\n", kTestKey);
    return 1;
  }
  using namespace std::string_literals;
  Write(key, "WithZero", REG_SZ, "C:\\Program Files\\Tool\\info.exe\0"s);
  Write(key, "WithoutZero", REG_SZ, "C:\\Tools\\info.exe"s);
  Write(key, "Number", REG_DWORD, "\x78\x56\x34\x12"s);
  Write(key, "Binary", REG_BINARY, "\x01\x02\x03"s);
  Write(key, "Exactly1024", REG_SZ, std::string(1023, 'a') + '\0');
  Write(key, "Long1025", REG_SZ, std::string(1024, 'b') + '\0');
  RegCloseKey(key);

  Check("string with final zero", kTestKey, "WithZero", true, "C:\\Program Files\\Tool\\info.exe");
  Check("string without final zero", kTestKey, "WithoutZero", true, "C:\\Tools\\info.exe");
  Check("32-bit number", kTestKey, "Number", true, "&h12345678");
  Check("other type keeps the text", kTestKey, "Binary", true, "earlier");
  Check("1024 bytes", kTestKey, "Exactly1024", true, std::string(1023, 'a'));
  Check("1025 bytes count as absent", kTestKey, "Long1025", false, "");
  Check("missing value", kTestKey, "Missing", false, "");
  Check("missing key", "SOFTWARE\\ductcalc-no-such-key", "PATH", false, "");

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey);
  std::printf("%d failure(s)\n", failures);
  return failures;
}
