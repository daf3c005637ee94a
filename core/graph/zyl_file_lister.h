// The service object of the directory lister library (Roster.dll), as the catalogue scan
// calls it; the library's InitDLL returns one.
#pragma once

#include "runtime/dll_interface.h"

class Zyl_DirectoryLister : public DllInterface {
 public:
  ~Zyl_DirectoryLister() override;
  // Lists only files with this extension (without the dot, any letter case); null: all.
  virtual void SetExtensionFilter(const char* extension) = 0;
  // Lists the folder of `pattern` ("folder\*.*"): files whose name matches its last
  // component ('*' and '?', any letter case) and all subfolders. False when unreadable.
  virtual bool ListDirectory(const char* pattern) = 0;
  virtual int GetFileCount() = 0;
  virtual int GetDirCount() = 0;
  // Names without folder, in listing order; null out of range.
  virtual const char* GetFileName(int index) = 0;
  virtual const char* GetDirName(int index) = 0;
};
