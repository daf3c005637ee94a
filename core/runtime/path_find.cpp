// FilePathFind: directory components are counted from the character after "X:\"; a back
// step is a leading "..\". Texts longer than their buffers are cut.
#include "runtime/path_find.h"

#include <cstring>
#include <string>

#include "graph/zyl_string.h"
#include "platform/paths.h"
#include "runtime/engine_interface.h"

namespace {

constexpr int firstComponent = 3;  // index after "X:\"
constexpr char backStep[] = "..\\";
constexpr int backStepLength = 3;

// Writes `text` at `out + used`, cut so that the buffer of `size` stays terminated.
void PutCut(char* out, size_t used, int size, const char* text) {
  size_t room = static_cast<size_t>(size) - 1 - used;
  size_t length = std::strlen(text);
  if (length > room) length = room;
  std::memmove(out + used, text, length);
  out[used + length] = '\0';
}

void CopyCut(char* out, int size, const char* text) { PutCut(out, 0, size, text); }

void AppendCut(char* out, int size, const char* text) {
  size_t used = std::strlen(out);
  if (used + 1 >= static_cast<size_t>(size)) return;
  PutCut(out, used, size, text);
}

bool ContainsIgnoringCase(const char* text, const char* part) {
  size_t partLength = std::strlen(part);
  for (const char* at = text; *at; ++at) {
    size_t i = 0;
    while (i < partLength && at[i] && (at[i] | 0x20) == (part[i] | 0x20)) ++i;
    if (i == partLength) return true;
  }
  return false;
}

int LeadingBackSteps(const char* path) {
  int steps = 0;
  while (std::strncmp(path + steps * backStepLength, backStep, backStepLength) == 0) ++steps;
  return steps;
}

// Copies component n (counted from `start`, separated by '\') when a '\' ends it.
char* CopyComponent(char* out, const char* path, int start, int n) {
  int length = static_cast<int>(std::strlen(path));
  int at = start;
  for (int i = 0; i < n; ++i) {
    const char* next = at < length ? std::strchr(path + at, '\\') : nullptr;
    if (next == nullptr) return nullptr;
    at = static_cast<int>(next - path) + 1;
  }
  if (at >= length) return nullptr;
  const char* end = std::strchr(path + at, '\\');
  if (end == nullptr) return nullptr;
  int size = static_cast<int>(end - (path + at));
  if (size >= FilePathFind::workSize) size = FilePathFind::workSize - 1;
  std::memcpy(out, path + at, static_cast<size_t>(size));
  out[size] = '\0';
  return out;
}

}  // namespace

FilePathFind::FilePathFind() = default;
FilePathFind::~FilePathFind() = default;

void FilePathFind::SetSourcePath(const char* path) {
  if (path == nullptr) return;
  CopyCut(sourcePath_, sourcePathSize, path);
  if (ContainsIgnoringCase(sourcePath_, "http://")) return;
  std::string current = platform::currentDirectory().substr(0, 259);
  CreateValidFilePath(sourcePath_, current.c_str());
}

void FilePathFind::CreateValidFilePath(char* path, const char* base) {
  if (path == nullptr || path[0] == '\0') return;
  int write = 1;
  for (int read = 1; path[read] != '\0'; ++read) {
    char c = path[read] == '/' ? '\\' : path[read];
    if (c == '\\' && write - 1 >= 1 && path[write - 1] == '\\') continue;
    path[write++] = c;
  }
  path[write] = '\0';
  if (path[0] == '.' && base != nullptr) {
    char joined[workSize] = {};
    CopyCut(joined, workSize, base);
    AppendCut(joined, workSize, path + 1);
    CopyCut(path, sourcePathSize, joined);
  }
}

bool FilePathFind::CheckValidDrive(const char* a, const char* b) {
  return a != nullptr && b != nullptr && a[0] != '.' && a[0] == b[0];
}

int FilePathFind::GetDirCount(const char* path) {
  if (path == nullptr) return 0;
  int length = static_cast<int>(std::strlen(path));
  int count = 0;
  for (int i = firstComponent; i < length - 1; ++i) {
    if (path[i] == '\\') ++count;
  }
  return count;
}

char* FilePathFind::GetDirName(char* out, const char* path, int n) {
  if (out == nullptr || path == nullptr || n < 0) return nullptr;
  if (static_cast<int>(std::strlen(path)) <= firstComponent) return nullptr;
  return CopyComponent(out, path, firstComponent, n);
}

char* FilePathFind::GetFileName(char* path) {
  if (path == nullptr) return nullptr;
  const char* backslash = std::strrchr(path, '\\');
  const char* slash = std::strrchr(path, '/');
  const char* last = backslash > slash ? backslash : slash;
  if (last != nullptr && last > path) std::memmove(path, last + 1, std::strlen(last + 1) + 1);
  return path;
}

char* FilePathFind::GetFilePath(char* path) {
  if (path == nullptr) return nullptr;
  char* backslash = std::strrchr(path, '\\');
  char* slash = std::strrchr(path, '/');
  char* last = backslash > slash ? backslash : slash;
  if (last != nullptr) *last = '\0';
  return path;
}

int FilePathFind::GetBackDirCount(const char* path) {
  return path == nullptr ? 0 : -LeadingBackSteps(path);
}

int FilePathFind::GetDirCountFromBackDir(const char* path) {
  if (path == nullptr) return 0;
  char blanked[workSize] = {};
  CopyCut(blanked, workSize, path);
  int steps = LeadingBackSteps(blanked);
  std::memset(blanked, ' ', static_cast<size_t>(steps * backStepLength));
  return GetDirCount(blanked);
}

char* FilePathFind::GetDirNameFromBackDir(char* out, const char* path, int n) {
  if (out == nullptr || path == nullptr || n < 0) return nullptr;
  const char* rest = path + LeadingBackSteps(path) * backStepLength;
  return CopyComponent(out, rest, 0, n);
}

int FilePathFind::GetDirShareCount(const char* a, const char* b) {
  int limit = GetDirCount(a);
  int shared = 0;
  char nameA[workSize];
  char nameB[workSize];
  while (shared < limit) {
    if (GetDirName(nameA, a, shared) == nullptr || GetDirName(nameB, b, shared) == nullptr) break;
    if (!TextEqualIgnoringCase(nameA, nameB)) break;
    ++shared;
  }
  return shared;
}

int FilePathFind::GetRelativeDirCount(const char* a, const char* b) {
  int countA = GetDirCount(a);
  int countB = GetDirCount(b);
  int shared = GetDirShareCount(a, b);
  return shared < countB ? shared - countB : countA - countB;
}

const char* FilePathFind::GetValidRelativeDir(const char* target) {
  if (target == nullptr) return nullptr;
  char copy[workSize] = {};
  CopyCut(copy, sourcePathSize, target);
  std::string current = platform::currentDirectory().substr(0, 259);
  CreateValidFilePath(copy, current.c_str());
  if (!CheckValidDrive(copy, sourcePath_)) {
    if (engineInterface != nullptr) {
      engineInterface->errorMessage("orgFile : ", copy);
      engineInterface->errorMessage("sourcePath_ : ", sourcePath_);
      engineInterface->errorMessage("Autoload group is on different drive");
    }
    return target;
  }
  int shared = GetDirShareCount(copy, sourcePath_);
  int relative = GetRelativeDirCount(copy, sourcePath_);
  char name[workSize];
  result[0] = '\0';
  if (relative < 0) {
    for (int i = 0; i < -relative; ++i) AppendCut(result, resultSize, backStep);
    int count = GetDirCount(copy);
    for (int i = GetDirCount(sourcePath_) + relative; i < count; ++i) {
      if (GetDirName(name, copy, i) == nullptr) break;
      AppendCut(result, resultSize, name);
      AppendCut(result, resultSize, "\\");
    }
  } else {
    AppendCut(result, resultSize, ".\\");
    for (int i = shared; i < shared + relative; ++i) {
      if (GetDirName(name, copy, i) == nullptr) break;
      AppendCut(result, resultSize, name);
      AppendCut(result, resultSize, "\\");
    }
  }
  AppendCut(result, resultSize, GetFileName(copy));
  return result;
}

const char* FilePathFind::GetCompleteFilePath(const char* relative) {
  if (relative == nullptr) return nullptr;
  char p[workSize] = {};
  size_t length = std::strlen(relative);
  if (length > 2 && !(relative[0] == '.' && relative[1] == '\\') &&
      !(relative[0] == '.' && relative[1] == '.') &&
      !(relative[0] == '\\' && relative[1] == '\\')) {
    if (relative[0] == '.' || relative[0] == '\\') {
      CopyCut(p, sourcePathSize, relative + 1);
    } else {
      CopyCut(p, sourcePathSize, ".\\");
      AppendCut(p, sourcePathSize, relative);
    }
  } else {
    CopyCut(p, sourcePathSize, relative);
  }

  std::string current = platform::currentDirectory().substr(0, 259);
  char drive[workSize] = {};
  CopyCut(drive, firstComponent + 1, sourcePath_);
  CreateValidFilePath(drive, current.c_str());
  CopyCut(result, resultSize, drive);

  int back = GetBackDirCount(p);
  int sourceCount = GetDirCount(sourcePath_);
  char name[workSize];
  if (back < 0) {
    for (int i = 0; i < sourceCount + back; ++i) {
      if (GetDirName(name, sourcePath_, i) == nullptr) break;
      AppendCut(result, resultSize, name);
      AppendCut(result, resultSize, "\\");
    }
    int count = GetDirCountFromBackDir(p);
    for (int i = 0; i < count; ++i) {
      if (GetDirNameFromBackDir(name, p, i) == nullptr) break;
      AppendCut(result, resultSize, name);
      AppendCut(result, resultSize, "\\");
    }
  } else {
    char folder[workSize] = {};
    CopyCut(folder, sourcePathSize, sourcePath_);
    GetFilePath(folder);
    CreateValidFilePath(p, folder);
    int count = GetDirCount(p);
    for (int i = 0; i < count; ++i) {
      if (GetDirName(name, p, i) == nullptr) break;
      AppendCut(result, resultSize, name);
      AppendCut(result, resultSize, "\\");
    }
  }
  AppendCut(result, resultSize, GetFileName(p));
  return result;
}

const char* FilePathFind::GetCorrectFilePath(const char* stored) {
  if (stored == nullptr) return nullptr;
  if (std::strchr(stored, ':') != nullptr || std::strstr(stored, "\\\\") != nullptr) return stored;
  return GetCompleteFilePath(stored);
}
