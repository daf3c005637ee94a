// Library loading through the emulated search path ("PATH" in engine form).
#include "platform/modules.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <mutex>
#include <unordered_map>

#include "platform/errors.h"
#include "platform/paths.h"

namespace platform {

namespace {

std::mutex stateMutex;
std::string searchPath;
std::unordered_map<void*, int> loadCounts;  // every handle given out, with its open loads
thread_local std::string moduleErrorText;

bool isRegularFile(const std::string& hostPath) {
  struct stat info;
  return stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void fail(uint32_t error, std::string text) {
  setLastError(error);
  moduleErrorText = std::move(text);
}

// The loader's number for a failed dlopen of an existing file, from its text.
uint32_t errorForLoaderText(std::string_view text) {
  if (text.find("undefined symbol") != std::string_view::npos) return errorProcedureNotFound;
  if (text.find("ELF") != std::string_view::npos ||
      text.find("file too short") != std::string_view::npos)
    return errorBadExecutableFormat;
  return errorModuleNotFound;  // most often a library it depends on is missing
}

// The host path of the first search-path folder holding the bare file name.
std::optional<std::string> findInSearchPath(std::string_view fileName) {
  std::string folders = environmentPath();
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(';', start);
    if (end == std::string::npos) end = folders.size();
    std::string_view folder = std::string_view(folders).substr(start, end - start);
    start = end + 1;
    if (folder.empty()) continue;
    std::optional<std::string> host =
        resolveHostPath(std::string(folder) + "\\" + std::string(fileName));
    if (host && isRegularFile(*host)) return host;
  }
  return std::nullopt;
}

// The bare name of a library that the one at `hostPath` needs and the loader did not find.
std::string missingDependency(const std::string& loaderText, const std::string& hostPath) {
  size_t end = loaderText.find(": cannot open shared object file");
  if (end == std::string::npos) return {};
  std::string name = loaderText.substr(0, end);
  if (name == hostPath || name.find('/') != std::string::npos) return {};
  return name;
}

ModuleHandle open(const std::string& hostPath, bool fileIsKnown, int depth = 0);

// Loads a needed library from the search path and keeps it loaded, so that the loader finds
// it by its name when it retries the library that needs it (as support libraries in the
// search path are found on the system the engine comes from).
bool loadDependency(const std::string& name, int depth) {
  std::optional<std::string> host = findInSearchPath(name);
  return host && open(*host, true, depth + 1) != nullptr;
}

ModuleHandle open(const std::string& hostPath, bool fileIsKnown, int depth) {
  constexpr int maximumDependencyDepth = 16;
  for (;;) {
    dlerror();
    void* handle = dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle) {
      std::lock_guard lock(stateMutex);
      ++loadCounts[handle];
      return static_cast<ModuleHandle>(handle);
    }
    const char* text = dlerror();
    std::string loaderText = text ? text : "cannot load " + hostPath;
    bool exists = fileIsKnown || isRegularFile(hostPath);
    std::string dependency = exists ? missingDependency(loaderText, hostPath) : "";
    if (!dependency.empty() && depth < maximumDependencyDepth && loadDependency(dependency, depth))
      continue;
    uint32_t error = exists ? errorForLoaderText(loaderText) : errorModuleNotFound;
    fail(error, std::move(loaderText));
    return nullptr;
  }
}

bool isKnown(ModuleHandle module) {
  std::lock_guard lock(stateMutex);
  return module && loadCounts.count(module) != 0;
}

}  // namespace

std::string environmentPath() {
  std::lock_guard lock(stateMutex);
  return searchPath;
}

void setEnvironmentPath(std::string_view value) {
  std::lock_guard lock(stateMutex);
  searchPath = value;
}

ModuleHandle loadModule(std::string_view fileName) {
  if (fileName.empty()) {
    fail(errorInvalidParameter, "empty library name");
    return nullptr;
  }
  bool bare = fileName.find_first_of("\\/:") == std::string_view::npos;
  if (!bare) {
    std::optional<std::string> host = resolveHostPath(fileName);
    if (!host) {
      fail(errorModuleNotFound, std::string(fileName) + ": no such folder on this system");
      return nullptr;
    }
    return open(*host, false);
  }
  if (std::optional<std::string> host = findInSearchPath(fileName)) return open(*host, true);
  // Not in the search path: the system loader's own folders.
  return open(std::string(fileName), false);
}

void* moduleSymbol(ModuleHandle module, const char* name) {
  if (!isKnown(module) || !name) {
    fail(errorInvalidParameter, "no library or no symbol name");
    return nullptr;
  }
  dlerror();
  void* symbol = dlsym(module, name);
  if (!symbol) {
    const char* text = dlerror();
    fail(errorProcedureNotFound, text ? text : std::string(name) + ": symbol is null");
  }
  return symbol;
}

bool freeModule(ModuleHandle module) {
  {
    std::lock_guard lock(stateMutex);
    auto found = module ? loadCounts.find(module) : loadCounts.end();
    if (found == loadCounts.end()) {
      setLastError(errorInvalidParameter);
      return false;
    }
    if (--found->second == 0) loadCounts.erase(found);
  }
  return dlclose(module) == 0;
}

std::string lastModuleErrorText() { return moduleErrorText; }

}  // namespace platform
