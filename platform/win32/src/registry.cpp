// The per-user value store: one text file, read for every query and replaced atomically on
// every change.
#include "platform/registry.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include "host_files.h"
#include "platform/errors.h"
#include "registry_store.h"

namespace platform {

namespace {

constexpr size_t maximumStoreBytes = 16 * 1024 * 1024;

std::recursive_mutex storeMutex;
std::set<std::string> reportedCorruptFiles;
RegistryReporter reporter;

void report(const std::string& text) {
  if (reporter) reporter(text);
  else std::fprintf(stderr, "%s\n", text.c_str());
}

struct LoadedStore {
  detail::RegistryStore store;
  std::optional<std::vector<uint8_t>> corruptBytes;  // the unreadable file, kept on write
};

LoadedStore loadStore() {
  LoadedStore loaded;
  std::string path = registryFilePath();
  std::optional<std::vector<uint8_t>> bytes = detail::readHostFile(path);
  if (!bytes) return loaded;  // no store yet: empty
  int badLine = 0;
  std::optional<detail::RegistryStore> parsed;
  if (bytes->size() <= maximumStoreBytes)
    parsed = detail::parseRegistry(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &badLine);
  if (parsed) {
    reportedCorruptFiles.erase(path);  // a later corruption is reported again
    loaded.store = std::move(*parsed);
    return loaded;
  }
  if (reportedCorruptFiles.insert(path).second) {
    std::string where = badLine > 0 ? " (line " + std::to_string(badLine) + ")" : " (too large)";
    report("Registry: the store file " + path + " is corrupt" + where +
           "; its values are read as empty and it is kept as " + path + ".corrupt on the next change");
  }
  loaded.corruptBytes = std::move(bytes);
  return loaded;
}

bool saveStore(const LoadedStore& loaded) {
  std::string path = registryFilePath();
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !detail::createHostFolders(path.substr(0, slash)))
    return false;
  if (loaded.corruptBytes && !detail::writeHostFileAtomically(path + ".corrupt", *loaded.corruptBytes))
    return false;
  std::string text = detail::formatRegistry(loaded.store);
  return detail::writeHostFileAtomically(
      path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace

std::string registryFilePath() {
  if (const char* explicitPath = std::getenv("KELVANE_REGISTRY"); explicitPath && *explicitPath)
    return explicitPath;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/kelvane/registry";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/kelvane/registry";
}

bool registryKeyExists(std::string_view keyPath) {
  std::lock_guard lock(storeMutex);
  return loadStore().store.keyExists(keyPath);
}

bool registryCreateKey(std::string_view keyPath) {
  std::lock_guard lock(storeMutex);
  LoadedStore loaded = loadStore();
  if (loaded.store.keyExists(keyPath)) return true;
  loaded.store.createKey(keyPath);
  return saveStore(loaded);
}

bool registrySetValue(std::string_view keyPath, std::string_view valueName,
                      const RegistryValue& value) {
  if (value.kind == RegistryKind::dword && value.data.size() != 4) {
    setLastError(errorInvalidParameter);
    return false;
  }
  std::lock_guard lock(storeMutex);
  LoadedStore loaded = loadStore();
  detail::RegistryKey& key = loaded.store.createKey(keyPath);
  bool replaced = false;
  for (auto& [name, stored] : key.values) {
    if (detail::sameName(name, valueName)) stored = value, replaced = true;
  }
  if (!replaced) key.values.emplace_back(std::string(valueName), value);
  return saveStore(loaded);
}

bool registrySetString(std::string_view keyPath, std::string_view valueName,
                       std::string_view text) {
  return registrySetValue(keyPath, valueName, RegistryValue{RegistryKind::string, std::string(text)});
}

std::optional<RegistryValue> registryGetValue(std::string_view keyPath,
                                              std::string_view valueName) {
  std::lock_guard lock(storeMutex);
  LoadedStore loaded = loadStore();
  const detail::RegistryKey* key = loaded.store.findKey(keyPath);
  if (!key) {
    setLastError(errorFileNotFound);
    return std::nullopt;
  }
  for (const auto& [name, value] : key->values) {
    if (detail::sameName(name, valueName)) return value;
  }
  setLastError(errorFileNotFound);
  return std::nullopt;
}

void setRegistryReporter(RegistryReporter newReporter) {
  std::lock_guard lock(storeMutex);
  reporter = std::move(newReporter);
}

}  // namespace platform
