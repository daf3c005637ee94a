// The per-user store of named values under key paths, standing in for the user's registry.
//
// One text file: $KELVANE_REGISTRY, else $XDG_CONFIG_HOME/kelvane/registry, else
// ~/.config/kelvane/registry. Key paths are '\'-separated below the user's root (an empty
// path is the root itself); key and value names compare case-insensitively. Every change
// rewrites the file atomically. A store file that cannot be parsed is reported once through
// the registry reporter and read as empty; the next write keeps a copy of it beside the new
// file (".corrupt") instead of losing it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class RegistryKind { string, dword, binary };

struct RegistryValue {
  RegistryKind kind;
  std::string data;  // the bytes as stored: a string's text, a dword's 4 bytes little-endian
};

// The store file in use (host path).
std::string registryFilePath();

bool registryKeyExists(std::string_view keyPath);
// Creates the key and any missing parents; true when it exists afterwards.
bool registryCreateKey(std::string_view keyPath);

// Creates the key when needed and stores the value; false when the store cannot be written.
bool registrySetValue(std::string_view keyPath, std::string_view valueName,
                      const RegistryValue& value);
bool registrySetString(std::string_view keyPath, std::string_view valueName,
                       std::string_view text);

// Nullopt when the key or the value does not exist.
std::optional<RegistryValue> registryGetValue(std::string_view keyPath,
                                              std::string_view valueName);

// Receives the registry's own problem reports (default: standard error).
using RegistryReporter = std::function<void(const std::string& text)>;
void setRegistryReporter(RegistryReporter reporter);

}  // namespace platform
