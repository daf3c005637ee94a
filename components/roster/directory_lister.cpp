// Hux_DirectoryLister: names come in the platform's order (sorted), filtered by the
// pattern's last component and the extension.
#include "directory_lister.h"

#include <cctype>

#include "graph/zyl_string.h"
#include "platform/files.h"

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool HasExtension(const std::string& name, const std::string& extension) {
  size_t dot = name.rfind('.');
  return dot != std::string::npos && TextEqualIgnoringCase(name.c_str() + dot + 1, extension.c_str());
}

}  // namespace

bool MatchesNamePattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  size_t n = 0;
  size_t p = 0;
  size_t starPattern = std::string::npos;
  size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void Hux_DirectoryLister::SetExtensionFilter(const char* filter) {
  extension = filter ? filter : "";
}

bool Hux_DirectoryLister::ListDirectory(const char* pattern) {
  files.clear();
  folders.clear();
  if (pattern == nullptr) return false;
  std::string text = pattern;
  size_t last = text.find_last_of("\\/");
  std::string folder = last == std::string::npos ? std::string(".") : text.substr(0, last);
  std::string namePattern = last == std::string::npos ? text : text.substr(last + 1);
  if (folder.empty()) folder = "\\";
  auto listing = platform::listDirectory(folder);
  if (!listing) return false;
  for (const std::string& name : listing->files) {
    if (!MatchesNamePattern(name, namePattern)) continue;
    if (!extension.empty() && !HasExtension(name, extension)) continue;
    files.push_back(name);
  }
  folders = listing->folders;
  return true;
}

int Hux_DirectoryLister::GetFileCount() { return static_cast<int>(files.size()); }
int Hux_DirectoryLister::GetDirCount() { return static_cast<int>(folders.size()); }

const char* Hux_DirectoryLister::GetFileName(int index) {
  if (index < 0 || index >= GetFileCount()) return nullptr;
  return files[static_cast<size_t>(index)].c_str();
}

const char* Hux_DirectoryLister::GetDirName(int index) {
  if (index < 0 || index >= GetDirCount()) return nullptr;
  return folders[static_cast<size_t>(index)].c_str();
}
