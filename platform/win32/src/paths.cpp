// Mapping between engine paths (drive Z:, '\') and host paths, with the case-insensitive
// fallback for lookups that miss.
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <memory>
#include <vector>

#include "platform/errors.h"
#include "text.h"

namespace platform {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The components of a path, empty ones (repeated separators) dropped.
std::vector<std::string_view> components(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || isSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

bool entryExists(const std::string& hostPath) {
  struct stat info;
  return lstat(hostPath.c_str(), &info) == 0;
}

// The name in `folder` equal to `name` but for letter case, or "" when there is none.
std::string findIgnoringCase(const std::string& folder, std::string_view name) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                          closedir);
  if (!dir) return {};
  while (dirent* entry = readdir(dir.get())) {
    if (detail::equalsIgnoringCase(entry->d_name, name)) return entry->d_name;
  }
  return {};
}

std::string joinHostPath(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/') return folder + std::string(name);
  return folder + '/' + std::string(name);
}

}  // namespace

std::optional<std::string> toHostPath(std::string_view enginePath) {
  std::string host;
  std::string_view rest = enginePath;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (rest[0] != 'Z' && rest[0] != 'z') return std::nullopt;
    rest.remove_prefix(2);
    host = "/";
    // "Z:name" is relative to the drive's current directory, which is the current directory.
    if (rest.empty() || !isSeparator(rest[0])) host.clear();
  } else if (rest.size() >= 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
    return std::nullopt;
  } else if (!rest.empty() && isSeparator(rest[0])) {
    host = "/";
  }
  bool first = true;
  for (std::string_view part : components(rest)) {
    if (!first) host += '/';
    host += part;
    first = false;
  }
  if (host.empty()) host = ".";
  return host;
}

std::optional<std::string> resolveHostPath(std::string_view enginePath) {
  std::optional<std::string> exact = toHostPath(enginePath);
  if (!exact || entryExists(*exact)) return exact;
  std::string resolved = (*exact)[0] == '/' ? "/" : "";
  bool missed = false;  // below a missing folder nothing can match
  for (std::string_view part : components(*exact)) {
    std::string candidate = joinHostPath(resolved, part);
    if (!missed && part != "." && part != ".." && !entryExists(candidate)) {
      std::string match = findIgnoringCase(resolved, part);
      if (match.empty()) missed = true;
      else candidate = joinHostPath(resolved, match);
    }
    resolved = std::move(candidate);
  }
  return resolved;
}

std::string toEnginePath(std::string_view hostPath) {
  std::string engine;
  if (!hostPath.empty() && hostPath[0] == '/') engine = "Z:\\";
  bool first = true;
  for (std::string_view part : components(hostPath)) {
    if (!first) engine += '\\';
    engine += part;
    first = false;
  }
  if (engine.empty()) engine = ".";
  return engine;
}

std::string currentDirectory() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) {
    setLastError(errorPathNotFound);
    return {};
  }
  return toEnginePath(buffer);
}

bool setCurrentDirectory(std::string_view enginePath) {
  std::optional<std::string> host = resolveHostPath(enginePath);
  if (!host || chdir(host->c_str()) != 0) {
    setLastError(errorPathNotFound);
    return false;
  }
  return true;
}

}  // namespace platform
