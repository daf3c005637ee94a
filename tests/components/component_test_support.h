// Loading a staged component library the way the engine instantiates plug-ins (InitDLL
// under the process-wide critical section with globalEngine set), and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graph/channel_records.h"
#include "graph/zyl_file_channels.h"
#include "platform/modules.h"
#include "platform/paths.h"
#include "platform/threads.h"
#include "runtime/dll_interface.h"
#include "runtime/engine_interface.h"
#include "support/temp_folder.h"

class StagedLibrary {
 public:
  explicit StagedLibrary(const char* fileName) {
    std::string path = platform::toEnginePath(std::string(KELVANE_STAGE_DIR) + "/channels/" + fileName);
    module = platform::loadModule(path);
  }
  ~StagedLibrary() {
    if (module != nullptr) platform::freeModule(module);
  }
  StagedLibrary(const StagedLibrary&) = delete;
  StagedLibrary& operator=(const StagedLibrary&) = delete;

  ChannelType Type() const {
    using GetTypeFunction = ChannelType* (*)();
    auto getType = reinterpret_cast<GetTypeFunction>(platform::moduleSymbol(module, "GetType"));
    return getType ? *getType() : ChannelType{};
  }

  // A new object of the library for `engine`; the caller deletes it before the library goes.
  template <class Object>
  Object* Create(EngineInterface* engine) const {
    using InitFunction = DllInterface* (*)();
    auto init = reinterpret_cast<InitFunction>(platform::moduleSymbol(module, "InitDLL"));
    if (init == nullptr) return nullptr;
    DllInterface* object = nullptr;
    {
      platform::ProcessCriticalSection hold;
      // Restored afterwards so that no later test sees an engine that is gone.
      HINSTANCE previousInstance = globalDllInstance;
      EngineInterface* previousEngine = globalEngine;
      globalDllInstance = module;
      globalEngine = engine;
      object = init();
      globalDllInstance = previousInstance;
      globalEngine = previousEngine;
    }
    auto* typed = dynamic_cast<Object*>(object);
    if (typed == nullptr) delete object;
    return typed;
  }

  platform::ModuleHandle module = nullptr;
};

// An engine whose catalogue hands out only the staged file loader and saver components.
// Tests derive from it to add types of their own.
class ComponentEngine : public EngineInterface {
 public:
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup*, bool) override {
    if (IsEqualGuid(type, fileLoaderTypeGuid)) {
      return loaderLibrary.Create<Zyl_FileLoaderChannel>(this);
    }
    if (IsEqualGuid(type, fileSaverTypeGuid)) {
      return saverLibrary.Create<Zyl_FileSaverChannel>(this);
    }
    return nullptr;
  }
  Zyl_Channel* InitChannelFromType(ChannelType type, Zyl_ChannelGroup* group,
                                   bool createChildren) override {
    return InitChannelFromType(type.guid, group, createChildren);
  }

  StagedLibrary loaderLibrary{"Tagvault.dll"};
  StagedLibrary saverLibrary{"4BB7D53F-C6DA-44A0-A8F9-173EA5B6C72D.dll"};
};

