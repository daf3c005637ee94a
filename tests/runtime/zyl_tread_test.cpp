// Worker threads: cooperative stop, a thread that ignores the exit request (with a short
// wait limit), list positions, custom pointers and detaching from a destroyed handle.
#include <gtest/gtest.h>

#include <atomic>

#include "graph/graph_test_support.h"
#include "platform/time.h"
#include "runtime/zyl_tread.h"

namespace {

// Loops until told to stop, either by the engine or (when stubborn) only by the test.
class LoopingRun : public Zyl_RunTread {
 public:
  explicit LoopingRun(bool stubborn = false, std::atomic<bool>* destroyed = nullptr)
      : stubborn(stubborn), destroyed(destroyed) {}
  ~LoopingRun() override {
    if (destroyed != nullptr) *destroyed = true;
  }
  void TreadFunction() override {
    started = true;
    while (!release) {
      if (!stubborn && (!GetIfContinueTreadCalls() || GetIfExitThread())) break;
      platform::sleepMilliseconds(1);
    }
  }
  bool stubborn;
  std::atomic<bool>* destroyed;
  std::atomic<bool> started{false};
  std::atomic<bool> release{false};
};

// A message sink that drops messages while switched off, as the engine's does.
class SwitchableCapture : public MessageCapture {
 public:
  void ShowDebugMessage(DebugMessage* message) override {
    if (useDebug) MessageCapture::ShowDebugMessage(message);
  }
};

class ThreadListTest : public testing::Test {
 protected:
  void SetUp() override {
    previousEngine = globalEngine;
    globalEngine = &engine;
    list = &threads;
    SetKillTreadHandler([](EngineInterface*, Zyl_Tread* tread) { KillTread(*list, tread); });
  }
  void TearDown() override {
    CloseAllTreads(threads);
    SetKillTreadHandler(nullptr);
    SetTreadCloseLimit(Zyl_Tread::defaultCloseLimitMilliseconds);
    globalEngine = previousEngine;
  }
  static void WaitUntilReady(Zyl_RunTread* run) {
    while (!run->GetIfTreadReady()) platform::sleepMilliseconds(1);
  }

  EngineInterface engine;
  EngineInterface* previousEngine = nullptr;
  Zyl_List threads;
  static inline Zyl_List* list = nullptr;
};

TEST_F(ThreadListTest, CooperativeThreadStopsAndFreesItsPosition) {
  Zyl_Tread* tread = GetNewTread(threads);
  ASSERT_NE(tread, nullptr);
  EXPECT_EQ(tread->GetClassID(), 0);
  EXPECT_EQ(GetTreadFromID(threads, 0), tread);
  auto* run = new LoopingRun();
  ASSERT_TRUE(tread->StartTread(run));
  EXPECT_TRUE(tread->GetIfTreadRunning());
  EXPECT_TRUE(tread->GetIfKeepRunningTread());
  while (!run->started) platform::sleepMilliseconds(1);
  tread->CloseTread();  // deletes run and tread through KillTread
  EXPECT_EQ(GetTreadFromID(threads, 0), nullptr);
  Zyl_Tread* next = GetNewTread(threads);
  EXPECT_EQ(next->GetClassID(), 0);
}

TEST_F(ThreadListTest, KillTreadOfFinishedThreadDeletesBothAtOnce) {
  Zyl_Tread* first = GetNewTread(threads);
  Zyl_Tread* second = GetNewTread(threads);
  EXPECT_EQ(second->GetClassID(), 1);
  auto* run = new LoopingRun();
  run->release = true;
  ASSERT_TRUE(first->StartTread(run));
  WaitUntilReady(run);
  KillTread(threads, first);  // running: CloseTread, which finds the run object ready
  EXPECT_EQ(GetTreadFromID(threads, 0), nullptr);
  KillTread(threads, second);  // idle: deleted directly
  EXPECT_EQ(GetTreadFromID(threads, 1), nullptr);
  KillTread(threads, nullptr);
}

TEST_F(ThreadListTest, ThreadIgnoringExitIsReportedAndLeftRunning) {
  SetTreadCloseLimit(40);
  SwitchableCapture capture;
  Zyl_Tread* tread = GetNewTread(threads);
  auto* run = new LoopingRun(/*stubborn=*/true);
  ASSERT_TRUE(tread->StartTread(run));
  tread->CloseTread();
  EXPECT_TRUE(run->GetIfExitThread());
  EXPECT_TRUE(capture.Contains(errorMessageType, "Thread is not responding"));
  EXPECT_EQ(GetTreadFromID(threads, 0), tread);
  EXPECT_TRUE(tread->GetIfTreadRunning());
  EXPECT_TRUE(capture.useDebug);
  run->release = true;
  WaitUntilReady(run);
  tread->CloseTread();
  EXPECT_EQ(GetTreadFromID(threads, 0), nullptr);
}

TEST_F(ThreadListTest, MessagesWhileWaitingAreDropped) {
  SetTreadCloseLimit(40);
  SwitchableCapture capture;
  // The worker reports while the engine waits for it; the sink is off meanwhile.
  class ReportingRun : public LoopingRun {
   public:
    ReportingRun() : LoopingRun(true) {}
    void TreadFunction() override {
      while (!GetIfExitThread()) platform::sleepMilliseconds(1);
      globalEngine->errorMessage("worker report");
      while (!release) platform::sleepMilliseconds(1);
    }
  };
  Zyl_Tread* tread = GetNewTread(threads);
  auto* run = new ReportingRun();
  ASSERT_TRUE(tread->StartTread(run));
  tread->CloseTread();
  EXPECT_FALSE(capture.Contains(errorMessageType, "worker report"));
  EXPECT_TRUE(capture.Contains(errorMessageType, "Thread is not responding"));
  run->release = true;
  WaitUntilReady(run);
}

TEST_F(ThreadListTest, ShutdownAsksAllThenClosesAll) {
  LoopingRun* runs[2];
  for (LoopingRun*& run : runs) {
    run = new LoopingRun(/*stubborn=*/false);
    ASSERT_TRUE(GetNewTread(threads)->StartTread(run));
  }
  GetNewTread(threads);  // an idle handle
  ExitAllTreads(threads);
  for (LoopingRun* run : runs) EXPECT_TRUE(run->GetIfExitThread());
  CloseAllTreads(threads);
  EXPECT_EQ(threads.GetItemCount(), 0);
}

TEST_F(ThreadListTest, StartWithoutRunObjectChangesNothing) {
  Zyl_Tread* tread = GetNewTread(threads);
  EXPECT_FALSE(tread->StartTread(nullptr));
  EXPECT_FALSE(tread->GetIfTreadRunning());
  EXPECT_FALSE(tread->GetIfKeepRunningTread());
  EXPECT_EQ(tread->runTread, nullptr);
}

TEST_F(ThreadListTest, CustomPointerOnlyWhileKeepRunning) {
  Zyl_Tread tread(nullptr);
  Zyl_RunTread run;
  int value = 0;
  run.SetCustomPointer(&value);
  EXPECT_EQ(run.GetCustomPointer(), nullptr);  // detached
  run.SetTreadClass(&tread);
  tread.keepRunningTread = true;
  EXPECT_EQ(run.GetCustomPointer(), &value);
  tread.keepRunningTread = false;
  EXPECT_EQ(run.GetCustomPointer(), nullptr);
  run.SetTreadClass(nullptr);
}

// A handle destroyed while its thread runs detaches the run object: the worker no longer
// reaches the handle, winds down because nothing keeps it running, and frees its object.
TEST_F(ThreadListTest, HandleDestroyedWhileRunningDetachesItsThread) {
  for (EngineInterface* owner : {&engine, static_cast<EngineInterface*>(nullptr)}) {
    MessageCapture capture;
    std::atomic<bool> destroyed{false};
    auto* tread = new Zyl_Tread(owner);
    auto* run = new LoopingRun(false, &destroyed);
    ASSERT_TRUE(tread->StartTread(run));
    while (!run->started) platform::sleepMilliseconds(1);
    delete tread;
    EXPECT_EQ(capture.Contains(errorMessageType,
                               "Zyl_Tread::~Zyl_Tread ForceTreadClose something is wrong in the "
                               "thread"),
              owner != nullptr);
    while (!destroyed) platform::sleepMilliseconds(1);
  }
}

TEST_F(ThreadListTest, HandleDestroyedAfterTheRunFreesTheRunObject) {
  std::atomic<bool> destroyed{false};
  auto* tread = new Zyl_Tread(nullptr);
  auto* run = new LoopingRun(false, &destroyed);
  run->release = true;
  ASSERT_TRUE(tread->StartTread(run));
  WaitUntilReady(run);
  delete tread;
  EXPECT_TRUE(destroyed);
}

}  // namespace
