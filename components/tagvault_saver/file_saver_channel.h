// Hux_FileSaverChannel: the file saver component channel, collecting a tagged stream in
// memory and replacing the file as a whole when it is closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/zyl_file_channels.h"

class Hux_FileSaverChannel : public Zyl_FileSaverChannel {
 public:
  static ChannelType Type();

  ChannelType GetChannelType() override;
  bool OpenSaveFile(const char* path, bool append) override;
  int SaveTag(const char* tag) override;
  int SaveBlockSize(unsigned long size) override;
  int SaveDataToFile(const void* data, unsigned long size) override;
  bool CloseSaveFile() override;
  const char* GetSaveingFileName() override;
  bool OpenMemory() override;
  void CloseMemory() override;
  const char* GetBuffer() override;
  int GetBufferSize() override;

 private:
  enum class Target { none, file, memory };

  int Append(const void* data, size_t size);
  void Report(const char* text, const char* detail);

  Target target = Target::none;
  std::string fileName;
  std::vector<uint8_t> content;
};
