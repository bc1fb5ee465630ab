#pragma once

#include <cstdint>
#include <string>

namespace duct {

// A handle of an open registry key, or of a predefined root key. Root handles are the 32-bit
// values sign-extended to the pointer width, as the platform defines them.
using RegistryKey = std::intptr_t;

inline constexpr RegistryKey kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002U);

// Access rights: reading only, which every account has under the local-machine root.
inline constexpr std::uint32_t kKeyRead = 0x20019;

// Value types.
inline constexpr std::uint32_t kRegSz = 1;     // a string
inline constexpr std::uint32_t kRegDword = 4;  // a 32-bit number

// Status codes, as the platform returns them.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

// The most bytes a text takes in UTF-8 for each byte it takes in a code page: 3 for a character
// of the Basic Multilingual Plane (at least 1 byte in any code page), 4 for one beyond it (which
// a code page holds, if at all, in at least 1 byte).
inline constexpr std::uint32_t kUtf8BytesPerCodePageByte = 4;

// The three registry calls the About dialog makes, in the shape of the platform's 8-bit
// code-page functions, with UTF-8 for the code page: names go in, and string values (kRegSz) come
// back, in UTF-8; values of other types come back as stored; but a value's length is checked as
// those functions count it.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `subKey` under `root` into `*result`.
  virtual std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t accessMask, RegistryKey* result) = 0;
  // Reads the value `valueName`: its type into `*type`, its bytes into `data`, and their number
  // into `*dataSize`. A value whose length in the system's code page (as the 8-bit functions
  // count it) is more than `*dataSize` fails with kErrorMoreData, `*dataSize` receiving that
  // length; `data` holds kUtf8BytesPerCodePageByte times `*dataSize` bytes, room for the text in
  // UTF-8.
  virtual std::int32_t QueryValue(RegistryKey key, const std::string& valueName,
                                  std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize) = 0;
  virtual std::int32_t CloseKey(RegistryKey key) = 0;
};

}  // namespace duct
