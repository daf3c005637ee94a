// The one object a host needs to run a project: engine start, project choice, the frame
// and window messages. Hosts obtain it from GetEngineControlInstance and call it through
// its table of virtual operations.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "runtime/dll_interface.h"

class DebugOutPut;
class EngineInterface;
class Zyl_ChannelGroup;

class EngineControl {
 public:
  // LoadProject results.
  enum LoadResult {
    projectLoaded = 0,
    projectRefused = 1,
    projectNeedsUpdate = 2,
    noProjectFile = 3,
    startGroupMissing = 4,
  };

  EngineControl() = default;
  EngineControl(const EngineControl&) = delete;
  EngineControl& operator=(const EngineControl&) = delete;

  // Virtual operations, in the slot order hosts call.
  virtual ~EngineControl();
  virtual int LoadProject();
  virtual bool InitEngine(HINSTANCE module, const char* commandLineText,
                          platform::WindowHandle window);
  virtual void EngineLoop();
  virtual void SetCommandLine(const char* text);
  virtual EngineInterface* GetEngineInterface();
  virtual void ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam);
  virtual void SetInstallDir(const char* text);
  virtual void SetKelvaneRegKey(const char* text);
  virtual bool GetIfKeepRunningApplication();

  EngineInterface* engineInterface = nullptr;
  Zyl_ChannelGroup* startGroup = nullptr;
  char commandLine[1000] = {};
  bool initialized = false;
  DebugOutPut* errorLog = nullptr;
  bool inLoop = false;
  char installDir[400] = {};
  char regKey[600] = {};

 private:
  // Removes the error-log sink and the process-wide pointer to it.
  void DeleteErrorLog();
};

// The host's entry point: a new engine control, or null when memory is exhausted.
extern "C" EngineControl* GetEngineControlInstance();
