// Hux_FileLoaderChannel: the file loader component channel, reading whole files (or
// memory) as tagged streams.
#pragma once

#include <string>

#include "graph/zyl_file_channels.h"
#include "tag_reader.h"

class Hux_FileLoaderChannel : public Zyl_FileLoaderChannel {
 public:
  static ChannelType Type();

  ChannelType GetChannelType() override;
  bool LoadFile(const char* path) override;
  void SetBuffer(char* data, int size, bool keepCopy) override;
  bool CheckHeader(const char* tag, bool enter) override;
  bool GetInfoIfTag(const char* tag) override;
  unsigned long GetSizeDataBlock(bool enter) override;
  bool CopyTagDataToPointer(void* destination, unsigned long destinationSize) override;
  const char* GetBuffer() override;
  void AddBufferPos(int n) override;
  int GetBufferSize() override;
  unsigned long GetAttributes() override;
  int GetCRC() override;
  void SetBlockSize(unsigned long size) override;
  void ResetPosition() override;
  bool GetTagData(char* tag) override;
  bool GotoTag(const char* tag) override;
  bool GetIfEndOfFile() override;
  void SkipCurrentTag() override;
  void SetURL(const char* url) override;
  bool CheckULRCache(const char* url) override;
  bool SaveURLToCache(const char* url) override;
  void SetBufferChar(const char* text) override;
  const char* GetChacheFileNameFromURL(const char* url) override;
  void StopLoading() override;

 private:
  void Report(const char* text, const char* detail = nullptr);

  tagvault::TagReader reader;
  unsigned long attributes = 0;
  std::string url;
};
