#include "registry/in_memory_registry.h"

#include <algorithm>

namespace duct {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

}  // namespace

void InMemoryRegistry::SetValue(RegistryKey root, const std::string& subKey,
                                const std::string& valueName, Value value) {
  keys_[{root, Lower(subKey)}][Lower(valueName)] = std::move(value);
}

void InMemoryRegistry::RemoveValue(RegistryKey root, const std::string& subKey,
                                   const std::string& valueName) {
  const auto key = keys_.find({root, Lower(subKey)});
  if (key != keys_.end()) {
    key->second.erase(Lower(valueName));
  }
}

std::int32_t InMemoryRegistry::OpenKey(RegistryKey root, const std::string& subKey,
                                       std::uint32_t /*options*/, std::uint32_t /*accessMask*/,
                                       RegistryKey* result) {
  const auto key = keys_.find({root, Lower(subKey)});
  if (key == keys_.end()) {
    return kErrorFileNotFound;
  }
  *result = nextHandle_++;
  open_[*result] = &key->second;
  return kErrorSuccess;
}

std::int32_t InMemoryRegistry::QueryValue(RegistryKey key, const std::string& valueName,
                                          std::uint32_t* type, std::uint8_t* data,
                                          std::uint32_t* dataSize) {
  const auto open = open_.find(key);
  if (open == open_.end()) {
    return kErrorInvalidHandle;
  }
  const auto value = open->second->find(Lower(valueName));
  if (value == open->second->end()) {
    return kErrorFileNotFound;
  }
  *type = value->second.type;
  const auto length = static_cast<std::uint32_t>(value->second.bytes.size());
  const std::uint32_t room = *dataSize;
  *dataSize = length;
  if (length > room) {
    return kErrorMoreData;
  }
  std::copy_n(value->second.bytes.begin(), length, data);  // no terminator added, as the platform
  return kErrorSuccess;
}

std::int32_t InMemoryRegistry::CloseKey(RegistryKey key) {
  return open_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace duct
