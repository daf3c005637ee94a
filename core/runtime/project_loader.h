// ProjectLoader: reads a project file (.kvn), installs the channel and support libraries it
// carries when the installation lacks them or holds other versions, and keeps the path of
// the start group.
#pragma once

#include "graph/zyl_guid.h"

class EngineInterface;
class ZylFileLoader;

class ProjectLoader {
 public:
  // Load results.
  enum Result { loaded = 0, refused = 1, needsUpdate = 2 };
  static constexpr int startGroupPathSize = 400;
  // Registry texts and library names are held in buffers of this size.
  static constexpr int nameSize = 261;

  explicit ProjectLoader(EngineInterface* engine);
  ProjectLoader(const ProjectLoader&) = delete;
  ProjectLoader& operator=(const ProjectLoader&) = delete;

  // Virtual operations, in slot order.
  virtual ~ProjectLoader();
  virtual int Load(const char* path);
  virtual const char* GetStartGroupPath();

  EngineInterface* engineInterface;
  char startGroupPath[startGroupPathSize] = {};

 private:
  int LoadChannelLibraries(ZylFileLoader& loader, int count);
  int LoadSupportLibraries(ZylFileLoader& loader, int count);
  // Writes a carried library to `folder` + name through the file saver.
  int Install(const char* folder, const char* name, const char* data, unsigned long size);
  bool ReadRegistrySwitch(const char* value, const char* expected);
  void Report(const char* text);
  void Report(const char* text, const char* detail);
  void Report(const char* text, const GUID& type);

  bool report = false;
  bool crcCheck = true;
};

// Translates the loader's buffer while it begins with a ZMTF header: each header names a
// translator type that replaces the buffer by its translation. False when a translator is
// missing or fails.
bool TranslateLoader(EngineInterface* engine, ZylFileLoader& loader);
