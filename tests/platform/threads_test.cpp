// Threads: start with an argument, wait with a time limit, terminate; the critical section.
#include "platform/threads.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/time.h"

namespace {

struct Work {
  std::atomic<bool> release{false};
  std::atomic<bool> running{false};
  std::atomic<int> calls{0};
  std::atomic<bool> done{false};  // the last access of the thread
  uint32_t id = 0;
};

uint32_t RunUntilReleased(void* argument) {
  auto* work = static_cast<Work*>(argument);
  work->id = platform::currentThreadId();
  work->running = true;
  ++work->calls;
  while (!work->release) platform::sleepMilliseconds(1);
  work->done = true;
  return 7;
}

TEST(Threads, StartWithArgumentAndWait) {
  Work work;
  work.release = true;
  uint32_t id = 0;
  platform::ThreadHandle thread = platform::startThread(RunUntilReleased, &work, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(platform::waitForThread(thread, platform::waitForever), platform::WaitResult::finished);
  uint32_t exitCode = 0;
  EXPECT_TRUE(platform::threadExitCode(thread, &exitCode));
  EXPECT_EQ(exitCode, 7u);
  EXPECT_EQ(work.calls, 1);
  EXPECT_EQ(work.id, id);
  EXPECT_NE(id, platform::currentThreadId());
  platform::closeThreadHandle(thread);
}

TEST(Threads, WaitEndsAtItsLimitWhileTheThreadRuns) {
  Work work;
  platform::ThreadHandle thread = platform::startThread(RunUntilReleased, &work);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(platform::waitForThread(thread, 10), platform::WaitResult::timedOut);
  EXPECT_FALSE(platform::threadExitCode(thread, nullptr));
  work.release = true;
  EXPECT_EQ(platform::waitForThread(thread, platform::waitForever), platform::WaitResult::finished);
  platform::closeThreadHandle(thread);
}

TEST(Threads, ClosingTheHandleLeavesTheThreadRunning) {
  Work work;
  platform::ThreadHandle thread = platform::startThread(RunUntilReleased, &work);
  ASSERT_NE(thread, nullptr);
  platform::closeThreadHandle(thread);
  while (!work.running) platform::sleepMilliseconds(1);
  work.release = true;  // the thread frees its state itself when it ends
  while (!work.done) platform::sleepMilliseconds(1);
}

TEST(Threads, TerminateEndsAWaitingThreadWithTheCode) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "ThreadSanitizer does not follow a cancelled thread's unwinding";
#endif
  Work work;
  platform::ThreadHandle thread = platform::startThread(RunUntilReleased, &work);
  ASSERT_NE(thread, nullptr);
  while (!work.running) platform::sleepMilliseconds(1);
  EXPECT_TRUE(platform::terminateThread(thread, 1));
  EXPECT_EQ(platform::waitForThread(thread, platform::waitForever), platform::WaitResult::finished);
  uint32_t exitCode = 0;
  EXPECT_TRUE(platform::threadExitCode(thread, &exitCode));
  EXPECT_EQ(exitCode, 1u);
  platform::closeThreadHandle(thread);
}

TEST(Threads, NullArgumentsFail) {
  EXPECT_EQ(platform::startThread(nullptr, nullptr), nullptr);
  EXPECT_EQ(platform::waitForThread(nullptr, 0), platform::WaitResult::failed);
  EXPECT_FALSE(platform::terminateThread(nullptr, 1));
}

uint32_t TryCriticalSection(void* argument) {
  platform::ProcessCriticalSection section;
  static_cast<std::atomic<bool>*>(argument)->store(true);
  return 0;
}

TEST(Threads, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  std::atomic<bool> entered{false};
  platform::ThreadHandle thread;
  {
    platform::ProcessCriticalSection outer;
    platform::ProcessCriticalSection inner;  // the same thread enters again
    thread = platform::startThread(TryCriticalSection, &entered);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(platform::waitForThread(thread, 20), platform::WaitResult::timedOut);
    EXPECT_FALSE(entered);
  }
  EXPECT_EQ(platform::waitForThread(thread, platform::waitForever), platform::WaitResult::finished);
  EXPECT_TRUE(entered);
  platform::closeThreadHandle(thread);
}

}  // namespace
