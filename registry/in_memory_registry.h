#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "registry/registry.h"

namespace duct {

// A registry held in memory, answering as the platform's does: names compare without regard to
// ASCII case, a value longer than the caller's buffer fails with kErrorMoreData, and closing a
// handle that is not open fails. It stands in for the registry where the platform has none.
class InMemoryRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };

  // Sets `valueName` of the key `subKey` under `root`, creating the key.
  void SetValue(RegistryKey root, const std::string& subKey, const std::string& valueName,
                Value value);
  // Removes `valueName` of the key `subKey` under `root`, if there; the key stays.
  void RemoveValue(RegistryKey root, const std::string& subKey, const std::string& valueName);

  std::int32_t OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t accessMask, RegistryKey* result) override;
  std::int32_t QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override;
  std::int32_t CloseKey(RegistryKey key) override;

 private:
  using Key = std::map<std::string, Value>;  // by lower-case value name

  std::map<std::pair<RegistryKey, std::string>, Key> keys_;  // by root and lower-case path
  std::map<RegistryKey, const Key*> open_;
  RegistryKey nextHandle_ = 1;
};

}  // namespace duct
