// ZylFileSaver: the writing side of tagged-block files, forwarding to the file saver
// component channel; without that channel every operation does nothing and fails.
#pragma once

#include "graph/zyl_file_channels.h"

class EngineInterface;

class ZylFileSaver {
 public:
  ZylFileSaver();  // serves globalEngine
  explicit ZylFileSaver(EngineInterface* engine);
  // Adopts a component channel obtained otherwise (tests).
  ZylFileSaver(EngineInterface* engine, Zyl_FileSaverChannel* component);
  ZylFileSaver(const ZylFileSaver&) = delete;
  ZylFileSaver& operator=(const ZylFileSaver&) = delete;

  virtual ~ZylFileSaver();
  virtual bool OpenMemory();
  virtual void CloseMemory();
  virtual const char* GetBuffer();
  virtual int GetBufferSize();

  bool OpenSaveFile(const char* path, bool append);
  int SaveTag(const char* tag);
  int SaveBlockSize(unsigned long size);
  int SaveDataToFile(const void* data, unsigned long size);
  // False when the file could not be written; the previous file then stays as it was.
  bool CloseSaveFile();
  const char* GetSaveingFileName();

  Zyl_FileSaverChannel* GetSaverChannel() const { return saver; }

  EngineInterface* engineInterface = nullptr;
  Zyl_FileSaverChannel* saver = nullptr;  // owned
};
