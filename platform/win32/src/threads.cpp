// Threads with a waitable end and the process-wide critical section.
#include "platform/threads.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/errors.h"

namespace platform {

// Shared by the creator's handle and the running thread; the last of the two frees it.
struct Thread {
  Thread(ThreadFunction function, void* argument, uint32_t id)
      : function(function), argument(argument), id(id) {}

  ThreadFunction function;
  void* argument;
  uint32_t id;
  pthread_t native{};
  std::mutex mutex;
  std::condition_variable ended;
  bool entered = false;
  bool finished = false;
  bool terminated = false;
  uint32_t exitCode = 0;
  std::atomic<int> references{2};
};

namespace {

std::atomic<uint32_t> nextThreadId{1};
thread_local uint32_t threadId = 0;

void release(Thread* thread) {
  if (thread->references.fetch_sub(1) == 1) delete thread;
}

// Marks the thread finished however its function ends, also when it is cancelled.
struct FinishOnExit {
  Thread* thread;
  uint32_t code;
  ~FinishOnExit() {
    {
      std::lock_guard lock(thread->mutex);
      thread->finished = true;
      thread->exitCode = thread->terminated ? thread->exitCode : code;
    }
    thread->ended.notify_all();
    release(thread);
  }
};

void* threadEntry(void* argument) {
  Thread* thread = static_cast<Thread*>(argument);
  threadId = thread->id;
  FinishOnExit finish{thread, 0};
  {
    std::lock_guard lock(thread->mutex);
    if (thread->terminated) return nullptr;
    thread->entered = true;
  }
  finish.code = thread->function(thread->argument);
  return nullptr;
}

std::recursive_mutex& processCriticalSection() {
  static std::recursive_mutex section;
  return section;
}

}  // namespace

ThreadHandle startThread(ThreadFunction function, void* argument, uint32_t* id) {
  if (!function) {
    setLastError(errorInvalidParameter);
    return nullptr;
  }
  Thread* thread = new Thread(function, argument, nextThreadId.fetch_add(1));
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  int error = pthread_create(&thread->native, &attributes, threadEntry, thread);
  pthread_attr_destroy(&attributes);
  if (error != 0) {
    delete thread;
    setLastError(errorNotEnoughMemory);
    return nullptr;
  }
  if (id) *id = thread->id;
  return thread;
}

WaitResult waitForThread(ThreadHandle thread, uint32_t timeoutMilliseconds) {
  if (!thread) {
    setLastError(errorInvalidParameter);
    return WaitResult::failed;
  }
  std::unique_lock lock(thread->mutex);
  auto isFinished = [thread] { return thread->finished; };
  if (timeoutMilliseconds == waitForever) {
    thread->ended.wait(lock, isFinished);
    return WaitResult::finished;
  }
  return thread->ended.wait_for(lock, std::chrono::milliseconds(timeoutMilliseconds), isFinished)
             ? WaitResult::finished
             : WaitResult::timedOut;
}

bool terminateThread(ThreadHandle thread, uint32_t exitCode) {
  if (!thread) {
    setLastError(errorInvalidParameter);
    return false;
  }
  std::lock_guard lock(thread->mutex);
  if (thread->finished || thread->terminated) return true;
  thread->terminated = true;
  thread->exitCode = exitCode;
  if (thread->entered) pthread_cancel(thread->native);
  return true;
}

bool threadExitCode(ThreadHandle thread, uint32_t* exitCode) {
  if (!thread) return false;
  std::lock_guard lock(thread->mutex);
  if (!thread->finished) return false;
  if (exitCode) *exitCode = thread->exitCode;
  return true;
}

void closeThreadHandle(ThreadHandle thread) {
  if (thread) release(thread);
}

uint32_t currentThreadId() {
  if (threadId == 0) threadId = nextThreadId.fetch_add(1);
  return threadId;
}

void enterProcessCriticalSection() { processCriticalSection().lock(); }
void leaveProcessCriticalSection() { processCriticalSection().unlock(); }

}  // namespace platform
