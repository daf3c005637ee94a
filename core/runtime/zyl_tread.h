// Worker threads known to the engine: the work object (Zyl_RunTread), its engine-side
// handle (Zyl_Tread) and the engine's operations over its thread list.
#pragma once

#include <atomic>
#include <cstdint>

#include "graph/zyl_list.h"
#include "platform/threads.h"

class EngineInterface;
class Zyl_Tread;

class Zyl_RunTread {
 public:
  Zyl_RunTread();
  Zyl_RunTread(const Zyl_RunTread&) = delete;
  Zyl_RunTread& operator=(const Zyl_RunTread&) = delete;

  virtual ~Zyl_RunTread();
  virtual void TreadFunction();
  virtual void ExitThread();
  virtual bool GetIfExitThread();
  virtual void SetTreadClass(Zyl_Tread* tread);
  virtual bool GetIfTreadReady();
  virtual void SetIfTreadReady(bool ready);
  virtual bool CreateTread();
  virtual void ForceTreadClose();
  virtual bool GetIfContinueTreadCalls();
  virtual void* GetCustomPointer();
  virtual void SetCustomPointer(void* pointer);

  // Read by the worker while the window thread detaches or flags it, hence atomics.
  std::atomic<Zyl_Tread*> treadClass{nullptr};
  std::atomic<bool> treadReady{false};
  std::atomic<platform::ThreadHandle> threadHandle{nullptr};
  uint32_t threadId = 0;
  void* customPointer = nullptr;
  std::atomic<bool> exitRequested{false};
};

class Zyl_Tread {
 public:
  // How often CloseTread looks at a thread asked to exit, and how long it waits at most.
  static constexpr uint32_t closePollMilliseconds = 10;
  static constexpr uint32_t defaultCloseLimitMilliseconds = 30000;

  explicit Zyl_Tread(EngineInterface* engine);
  Zyl_Tread();  // serves globalEngine
  Zyl_Tread(const Zyl_Tread&) = delete;
  Zyl_Tread& operator=(const Zyl_Tread&) = delete;

  virtual ~Zyl_Tread();
  virtual bool StartTread(Zyl_RunTread* run);
  virtual void CloseTread();
  virtual void ExitThread();
  virtual bool GetIfTreadRunning();
  virtual bool GetIfKeepRunningTread();
  virtual int GetClassID();
  virtual void SetClassID(int id);

  Zyl_RunTread* runTread = nullptr;
  bool treadRunning = false;
  EngineInterface* engineInterface = nullptr;
  std::atomic<bool> keepRunningTread{false};
  int classID = -1;
};

// The wait limit of CloseTread for every thread (real milliseconds); tests shorten it.
void SetTreadCloseLimit(uint32_t milliseconds);
uint32_t GetTreadCloseLimit();

// How a finished Zyl_Tread reaches its engine's KillTread. The engine installs its own
// (it owns the thread list); without one a finished handle is left to its owner.
using KillTreadHandler = void (*)(EngineInterface* engine, Zyl_Tread* tread);
void SetKillTreadHandler(KillTreadHandler handler);

// Engine-side operations over the engine's thread list (entries: owned Zyl_Tread*).
Zyl_Tread* GetNewTread(Zyl_List& threads);
Zyl_Tread* GetTreadFromID(Zyl_List& threads, int id);
void KillTread(Zyl_List& threads, Zyl_Tread* tread);
// Shutdown: asks every listed thread to exit.
void ExitAllTreads(Zyl_List& threads);
// Shutdown: closes every listed thread and deletes those still listed; empties the list.
void CloseAllTreads(Zyl_List& threads);
