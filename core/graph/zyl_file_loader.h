// ZylFileLoader: the reading side of tagged-block files, forwarding to the file loader
// component channel; without that channel every operation does nothing and fails.
#pragma once

#include "graph/zyl_file_channels.h"

class EngineInterface;

class ZylFileLoader {
 public:
  ZylFileLoader();  // serves globalEngine
  explicit ZylFileLoader(EngineInterface* engine);
  // Adopts a component channel obtained otherwise (the catalogue's reader library, tests).
  ZylFileLoader(EngineInterface* engine, Zyl_FileLoaderChannel* component);
  ZylFileLoader(const ZylFileLoader&) = delete;
  ZylFileLoader& operator=(const ZylFileLoader&) = delete;
  virtual ~ZylFileLoader();

  bool LoadFile(const char* path);
  void SetBuffer(char* data, int size, bool keepCopy);
  bool CheckHeader(const char* tag, bool enter);
  bool GetInfoIfTag(const char* tag);
  unsigned long GetSizeDataBlock(bool enter);
  // Copies the current block's data into a destination of `destinationSize` bytes; a block
  // larger than that fails with a message and is not consumed.
  bool CopyTagDataToPointer(void* destination, unsigned long destinationSize);
  // The unbounded form could overrun its destination; every reader passes the size.
  void CopyTagDataToPointer(void* destination) = delete;
  const char* GetBuffer();
  void AddBufferPos(int n);
  int GetBufferSize();
  unsigned long GetAttributes();
  int GetCRC();
  void SetBlockSize(unsigned long size);
  void ResetPosition();
  bool GetTagData(char* tag);
  bool GotoTag(const char* tag);
  bool GetIfEndOfFile();
  void SkipCurrentTag();
  void SetURL(const char* url);
  bool CheckULRCache(const char* url);
  bool SaveURLToCache(const char* url);
  void SetBufferChar(const char* text);
  const char* GetChacheFileNameFromURL(const char* url);
  void StopLoading();

  Zyl_FileLoaderChannel* GetLoaderChannel() const { return loader; }

  EngineInterface* engineInterface = nullptr;
  Zyl_FileLoaderChannel* loader = nullptr;  // owned
};
