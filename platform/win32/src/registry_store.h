// The registry store in memory and its text form:
//   [Software\Kelvane\Player]
//   "WriteErrorLog"=string:"No"
//   "Frames"=dword:0000002a
//   "Blob"=binary:00ff10
// Lines starting with ';' and empty lines are ignored; texts escape '\', '"', ']' and
// control bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace platform::detail {

struct RegistryKey {
  std::string path;  // normalized: components joined by '\', no empty ones
  std::vector<std::pair<std::string, RegistryValue>> values;
};

struct RegistryStore {
  std::vector<RegistryKey> keys;

  bool keyExists(std::string_view path) const;
  RegistryKey* findKey(std::string_view path);
  const RegistryKey* findKey(std::string_view path) const;
  RegistryKey& createKey(std::string_view path);
};

// Components joined by '\' with empty ones dropped ("\A\\B\" is "A\B").
std::string normalizeKeyPath(std::string_view path);
bool sameName(std::string_view a, std::string_view b);

std::string formatRegistry(const RegistryStore& store);
// Nullopt with the number of the first bad line when the text is not a valid store.
std::optional<RegistryStore> parseRegistry(std::string_view text, int* badLine);

}  // namespace platform::detail
