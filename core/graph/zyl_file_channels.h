// The operations of the file loader and file saver component channels, as the core calls
// them. The components live in plug-in libraries the core never links against; they derive
// from these classes, and the facades ZylFileLoader and ZylFileSaver call them through here.
#pragma once

#include "graph/zyl_channel.h"

inline constexpr GUID fileLoaderTypeGuid{
    0x3A95B31D, 0xA4B8, 0x428E, {0x86, 0xD7, 0xF5, 0x1C, 0x83, 0x94, 0xA5, 0x0B}};
inline constexpr GUID fileSaverTypeGuid{
    0x4BB7D53F, 0xC6DA, 0x44A0, {0xA8, 0xF9, 0x17, 0x3E, 0xA5, 0xB6, 0xC7, 0x2D}};

// Length of a block tag and of a block's size field in a tagged stream.
inline constexpr int tagLength = 4;

// Reads a stream of tagged blocks from a file or from memory. Every read is bounded by the
// buffer: a block whose size runs past the buffer is not a block.
class Zyl_FileLoaderChannel : public Zyl_Channel {
 public:
  ~Zyl_FileLoaderChannel() override;
  virtual bool LoadFile(const char* path) = 0;
  // keepCopy: the loader reads its own copy; otherwise it reads `data` in place, which the
  // caller keeps alive while reading.
  virtual void SetBuffer(char* data, int size, bool keepCopy) = 0;
  virtual bool CheckHeader(const char* tag, bool enter) = 0;
  virtual bool GetInfoIfTag(const char* tag) = 0;
  virtual unsigned long GetSizeDataBlock(bool enter) = 0;
  // Copies the current block's data; false (with a message) when it is no block or does
  // not fit the destination, the position then unchanged.
  virtual bool CopyTagDataToPointer(void* destination, unsigned long destinationSize) = 0;
  virtual const char* GetBuffer() = 0;
  virtual void AddBufferPos(int n) = 0;
  virtual int GetBufferSize() = 0;
  virtual unsigned long GetAttributes() = 0;
  virtual int GetCRC() = 0;
  virtual void SetBlockSize(unsigned long size) = 0;
  virtual void ResetPosition() = 0;
  // The next four bytes as a terminated tag (`tag` holds tagLength + 1 characters).
  virtual bool GetTagData(char* tag) = 0;
  // Moves forward to the next occurrence of the tag; false leaves the position unchanged.
  virtual bool GotoTag(const char* tag) = 0;
  virtual bool GetIfEndOfFile() = 0;
  virtual void SkipCurrentTag() = 0;
  virtual void SetURL(const char* url) = 0;
  virtual bool CheckULRCache(const char* url) = 0;
  virtual bool SaveURLToCache(const char* url) = 0;
  // Reads from a copy of the zero-terminated text.
  virtual void SetBufferChar(const char* text) = 0;
  virtual const char* GetChacheFileNameFromURL(const char* url) = 0;
  virtual void StopLoading() = 0;
};

// Writes a stream of tagged blocks to a file (replaced as a whole when it is closed) or to
// memory. The write operations give the number of bytes appended, 0 on failure.
class Zyl_FileSaverChannel : public Zyl_Channel {
 public:
  ~Zyl_FileSaverChannel() override;
  virtual bool OpenSaveFile(const char* path, bool append) = 0;
  virtual int SaveTag(const char* tag) = 0;
  virtual int SaveBlockSize(unsigned long size) = 0;
  virtual int SaveDataToFile(const void* data, unsigned long size) = 0;
  // False when the file could not be written; the previous file is then unchanged.
  virtual bool CloseSaveFile() = 0;
  virtual const char* GetSaveingFileName() = 0;
  virtual bool OpenMemory() = 0;
  virtual void CloseMemory() = 0;
  virtual const char* GetBuffer() = 0;
  virtual int GetBufferSize() = 0;
};
