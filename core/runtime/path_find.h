// Conversion between full Windows-form paths and paths relative to a referring file, used
// to store references between group files and to follow them again.
#pragma once

#include "runtime/dll_interface.h"

class FilePathFind : public DllInterface {
 public:
  // Limits of the texts (terminator included): the source path, the result and working copies.
  static constexpr int sourcePathSize = 399;
  static constexpr int resultSize = 301;
  static constexpr int workSize = 400;

  FilePathFind();
  ~FilePathFind() override;
  virtual void SetSourcePath(const char* path);
  virtual const char* GetValidRelativeDir(const char* target);
  virtual const char* GetCompleteFilePath(const char* relative);
  // Normalizes `path` in place (a buffer of at least sourcePathSize characters).
  virtual void CreateValidFilePath(char* path, const char* base);
  virtual bool CheckValidDrive(const char* a, const char* b);
  virtual int GetDirShareCount(const char* a, const char* b);
  virtual int GetRelativeDirCount(const char* a, const char* b);
  // `out` holds at least workSize characters.
  virtual char* GetDirName(char* out, const char* path, int n);
  virtual int GetDirCount(const char* path);
  virtual char* GetFileName(char* path);
  virtual char* GetFilePath(char* path);
  virtual int GetBackDirCount(const char* path);
  virtual int GetDirCountFromBackDir(const char* path);
  virtual char* GetDirNameFromBackDir(char* out, const char* path, int n);
  virtual const char* GetCorrectFilePath(const char* stored);

  const char* GetSourcePath() const { return sourcePath_; }

 private:
  char sourcePath_[sourcePathSize] = {};
  char result[resultSize] = {};
};
