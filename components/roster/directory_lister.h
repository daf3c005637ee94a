// Hux_DirectoryLister: the directory lister service of Roster.dll, listing the files and
// subfolders of one folder through the platform.
#pragma once

#include <string>
#include <vector>

#include "graph/zyl_file_lister.h"

class Hux_DirectoryLister : public Zyl_DirectoryLister {
 public:
  void SetExtensionFilter(const char* extension) override;
  bool ListDirectory(const char* pattern) override;
  int GetFileCount() override;
  int GetDirCount() override;
  const char* GetFileName(int index) override;
  const char* GetDirName(int index) override;

 private:
  std::string extension;
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

// '*' and '?' wildcards, ignoring the case of ASCII letters; "*.*" matches every name.
bool MatchesNamePattern(const std::string& name, const std::string& pattern);
