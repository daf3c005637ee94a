// Threads started with an argument, waited for with a time limit, and the one process-wide
// critical section.
#pragma once

#include <cstdint>

namespace platform {

struct Thread;
// The creator's hold on a thread; closing it does not stop the thread.
using ThreadHandle = Thread*;

using ThreadFunction = uint32_t (*)(void* argument);  // returns the exit code

inline constexpr uint32_t waitForever = 0xFFFFFFFF;

// Starts `function(argument)` at once. Null on failure, with lastError() set.
ThreadHandle startThread(ThreadFunction function, void* argument, uint32_t* threadId = nullptr);

enum class WaitResult { finished, timedOut, failed };
WaitResult waitForThread(ThreadHandle thread, uint32_t timeoutMilliseconds);

// Ends a thread from outside with the exit code. A thread that has not yet entered its
// function never does; a running one is cancelled at its next cancellation point (sleeping,
// waiting), which is unsafe for the state it holds: a last resort, as the caller knows.
bool terminateThread(ThreadHandle thread, uint32_t exitCode);

// The exit code once the thread has finished; false while it runs.
bool threadExitCode(ThreadHandle thread, uint32_t* exitCode);

void closeThreadHandle(ThreadHandle thread);

uint32_t currentThreadId();

// The process-wide critical section; recursive, like the one it stands for.
void enterProcessCriticalSection();
void leaveProcessCriticalSection();

class ProcessCriticalSection {
 public:
  ProcessCriticalSection() { enterProcessCriticalSection(); }
  ~ProcessCriticalSection() { leaveProcessCriticalSection(); }
  ProcessCriticalSection(const ProcessCriticalSection&) = delete;
  ProcessCriticalSection& operator=(const ProcessCriticalSection&) = delete;
};

}  // namespace platform
