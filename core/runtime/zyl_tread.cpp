// Worker threads: start, cooperative stop with a bounded wait, and the engine's list.
#include "runtime/zyl_tread.h"

#include <mutex>

#include "platform/errors.h"
#include "platform/time.h"
#include "runtime/dll_interface.h"
#include "runtime/engine_interface.h"
#include "runtime/messages.h"

namespace {

std::atomic<uint32_t> closeLimit{Zyl_Tread::defaultCloseLimitMilliseconds};
std::atomic<KillTreadHandler> killHandler{nullptr};
// Guards treadClass and the end of a run between a worker and the owner detaching it.
std::mutex ownerLock;

// Stands in threadHandle while CreateTread starts the thread, so that the thread's start
// (which gives up the creator's handle) and the creator's store of the handle meet in one
// place whichever comes first; it is never a real handle.
char startingMark;
platform::ThreadHandle const startingHandle = reinterpret_cast<platform::ThreadHandle>(&startingMark);

// Takes the creator's handle out of `slot`; null when none is held.
platform::ThreadHandle TakeHeldHandle(std::atomic<platform::ThreadHandle>& slot) {
  platform::ThreadHandle handle = slot.exchange(nullptr);
  return handle == startingHandle ? nullptr : handle;
}

// The owner of run objects whose Zyl_Tread was destroyed while their thread still ran. It
// never keeps running (so the work winds down) and is never freed, so a detached thread
// only ever reaches this object; such a thread frees its run object itself when it ends.
Zyl_Tread* ReleasedOwner() {
  static Zyl_Tread* owner = new Zyl_Tread(nullptr);
  return owner;
}

uint32_t TreadEntry(void* argument) {
  auto* run = static_cast<Zyl_RunTread*>(argument);
  if (run == nullptr) return 0;
  run->SetIfTreadReady(false);
  run->TreadFunction();
  std::unique_lock<std::mutex> hold(ownerLock);
  if (run->treadClass == ReleasedOwner()) {
    hold.unlock();
    delete run;
    return 0;
  }
  run->SetIfTreadReady(true);  // the owner may free the run object from here on
  return 0;
}

// Frees a run object that is ready, or hands it to its still running thread.
void ReleaseRunObject(Zyl_RunTread* run) {
  {
    std::lock_guard<std::mutex> hold(ownerLock);
    if (!run->treadReady) {
      run->treadClass = ReleasedOwner();
      return;
    }
  }
  delete run;
}

void SetMessageSinkOn(bool on) {
  if (debugOutPut != nullptr) debugOutPut->SetUseDebug(on);
}

}  // namespace

void SetTreadCloseLimit(uint32_t milliseconds) { closeLimit = milliseconds; }
uint32_t GetTreadCloseLimit() { return closeLimit; }
void SetKillTreadHandler(KillTreadHandler handler) { killHandler = handler; }

Zyl_RunTread::Zyl_RunTread() = default;

Zyl_RunTread::~Zyl_RunTread() {
  platform::ThreadHandle handle = TakeHeldHandle(threadHandle);
  if (handle != nullptr) platform::closeThreadHandle(handle);
}

void Zyl_RunTread::TreadFunction() {}
void Zyl_RunTread::ExitThread() { exitRequested = true; }
bool Zyl_RunTread::GetIfExitThread() { return exitRequested; }
void Zyl_RunTread::SetTreadClass(Zyl_Tread* tread) {
  std::lock_guard<std::mutex> hold(ownerLock);
  treadClass = tread;
}
bool Zyl_RunTread::GetIfTreadReady() { return treadReady; }

void Zyl_RunTread::SetIfTreadReady(bool ready) {
  platform::ThreadHandle handle = TakeHeldHandle(threadHandle);
  if (handle != nullptr) platform::closeThreadHandle(handle);
  // Last access: once ready is seen, the owner may delete this object.
  treadReady = ready;
}

bool Zyl_RunTread::CreateTread() {
  if (treadClass == nullptr) return false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    threadHandle = startingHandle;
    platform::ThreadHandle handle = platform::startThread(TreadEntry, this, &threadId);
    if (handle != nullptr) {
      platform::ThreadHandle expected = startingHandle;
      // The thread already started and gave up the hold: release it here instead.
      if (!threadHandle.compare_exchange_strong(expected, handle)) {
        platform::closeThreadHandle(handle);
      }
      return true;
    }
    threadHandle = nullptr;
  }
  if (globalEngine != nullptr) {
    globalEngine->errorMessage("Error thread not created : ",
                               static_cast<int>(platform::lastError()));
  }
  return false;
}

void Zyl_RunTread::ForceTreadClose() {
  platform::ThreadHandle handle = TakeHeldHandle(threadHandle);
  if (handle != nullptr) {
    platform::terminateThread(handle, 1);
    platform::closeThreadHandle(handle);
  }
  SetTreadClass(nullptr);
}

bool Zyl_RunTread::GetIfContinueTreadCalls() {
  std::lock_guard<std::mutex> hold(ownerLock);
  Zyl_Tread* owner = treadClass;
  return owner != nullptr && owner->GetIfKeepRunningTread();
}

void* Zyl_RunTread::GetCustomPointer() {
  return GetIfContinueTreadCalls() ? customPointer : nullptr;
}

void Zyl_RunTread::SetCustomPointer(void* pointer) { customPointer = pointer; }

Zyl_Tread::Zyl_Tread(EngineInterface* engine) : engineInterface(engine) {}
Zyl_Tread::Zyl_Tread() : engineInterface(globalEngine) {}

Zyl_Tread::~Zyl_Tread() {
  treadRunning = false;
  keepRunningTread = false;
  if (runTread == nullptr) return;
  if (engineInterface != nullptr) {
    engineInterface->errorMessage(
        "Zyl_Tread::~Zyl_Tread ForceTreadClose something is wrong in the thread");
  } else {
    // Terminates the thread only while its start-up still holds the handle.
    runTread->ForceTreadClose();
  }
  // A thread that still runs must never reach this handle again.
  ReleaseRunObject(runTread);
  runTread = nullptr;
}

bool Zyl_Tread::StartTread(Zyl_RunTread* run) {
  if (run == nullptr) return false;
  runTread = run;
  run->SetTreadClass(this);
  treadRunning = true;
  keepRunningTread = true;
  if (!run->CreateTread()) {
    treadRunning = false;
    keepRunningTread = false;
    return false;
  }
  return true;
}

void Zyl_Tread::CloseTread() {
  keepRunningTread = false;
  if (runTread == nullptr) return;
  if (runTread->GetIfTreadReady()) {
    delete runTread;
    runTread = nullptr;
    treadRunning = false;
    KillTreadHandler handler = killHandler;
    if (engineInterface != nullptr && handler != nullptr) handler(engineInterface, this);
    return;
  }
  SetMessageSinkOn(false);
  runTread->ExitThread();
  uint32_t start = platform::realTickCount();
  uint32_t limit = closeLimit;
  for (;;) {
    platform::sleepMilliseconds(closePollMilliseconds);
    if (runTread->GetIfTreadReady()) {
      SetMessageSinkOn(true);
      CloseTread();
      return;
    }
    if (platform::realTickCount() - start > limit) break;
  }
  SetMessageSinkOn(true);
  if (engineInterface != nullptr) engineInterface->errorMessage("Thread is not responding");
}

void Zyl_Tread::ExitThread() {
  if (runTread != nullptr) runTread->ExitThread();
}

bool Zyl_Tread::GetIfTreadRunning() { return treadRunning; }
bool Zyl_Tread::GetIfKeepRunningTread() { return keepRunningTread; }
int Zyl_Tread::GetClassID() { return classID; }
void Zyl_Tread::SetClassID(int id) { classID = id; }

Zyl_Tread* GetNewTread(Zyl_List& threads) {
  auto* tread = new Zyl_Tread();
  int position = threads.AddItemOrNULL(tread);
  if (position < 0) {
    delete tread;
    return nullptr;
  }
  tread->SetClassID(position);
  return tread;
}

Zyl_Tread* GetTreadFromID(Zyl_List& threads, int id) {
  return static_cast<Zyl_Tread*>(threads.GetItem(id));
}

void KillTread(Zyl_List& threads, Zyl_Tread* tread) {
  if (tread == nullptr) return;
  if (tread->GetIfTreadRunning()) {
    tread->CloseTread();
    return;
  }
  int position = tread->GetClassID();
  if (threads.GetItem(position) == tread) threads.SetItem(nullptr, position);
  delete tread;
}

void ExitAllTreads(Zyl_List& threads) {
  for (int i = 0; i < threads.GetItemCount(); ++i) {
    if (auto* tread = GetTreadFromID(threads, i)) tread->ExitThread();
  }
}

void CloseAllTreads(Zyl_List& threads) {
  for (int i = 0; i < threads.GetItemCount(); ++i) {
    if (auto* tread = GetTreadFromID(threads, i)) tread->CloseTread();
    if (auto* still = GetTreadFromID(threads, i)) {
      threads.SetItem(nullptr, i);
      delete still;
    }
  }
  threads.ClearItems();
}
