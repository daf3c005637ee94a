// Loading a staged component library the way the engine instantiates plug-ins (InitDLL
// under the process-wide critical section with globalEngine set), and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graph/channel_records.h"
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

