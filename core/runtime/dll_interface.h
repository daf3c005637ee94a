// Base of every object a plug-in creates, and the globals its constructors read.
#pragma once

#include "platform/modules.h"

class EngineInterface;

// Handle of a loaded library, as the platform's module loader hands it out.
using HINSTANCE = platform::ModuleHandle;

class DllInterface {
 public:
  // Takes module and engine from globalDllInstance and globalEngine.
  DllInterface();
  virtual ~DllInterface();

  HINSTANCE module;
  EngineInterface* engineInterface;
};

// The library being instantiated and the engine being served; written only inside the
// process-wide critical section around a plug-in's InitDLL.
extern HINSTANCE globalDllInstance;
extern EngineInterface* globalEngine;
