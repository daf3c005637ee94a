// EngineControl: start, texts and their limits, the frame and its re-entrancy guard,
// project choice (no dialog type installed, or a command line), and the release order.
#include <cstring>
#include <string>

#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "platform/headless_window.h"
#include "platform/modules.h"
#include "runtime/engine_control.h"
#include "runtime/runtime_test_support.h"

namespace {

const char* const dialogError =
    "EngineControl::LoadProject(): Error loading the File Dialog channel";

class EngineControlTest : public RuntimeTest {
 protected:
  EngineControlTest() : previousPath(platform::environmentPath()) {
    control.SetInstallDir(folder.engine().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\ControlTest");
  }
  ~EngineControlTest() override { platform::setEnvironmentPath(previousPath); }

  // Starts the engine with a start group at index 0 holding `channel`.
  void StartWith(Zyl_Channel* channel) {
    ASSERT_TRUE(control.InitEngine(nullptr, "Player", &window));
    Zyl_ChannelGroup* group = control.GetEngineInterface()->CreateNewGroup("Start", false, 0);
    ASSERT_EQ(group->GetGroupIndex(), 0);
    group->AddChannel(channel);
  }

  std::string previousPath;
  platform::HeadlessWindow window{64, 48};
  EngineControl control;
};

// Calls the frame again from inside the frame.
class ReenteringChannel : public TestChannel {
 public:
  void CallChannel() override {
    ++calls;
    if (control != nullptr) control->EngineLoop();
  }
  EngineControl* control = nullptr;
  int calls = 0;
};

TEST_F(EngineControlTest, NewObjectIsEmpty) {
  EngineControl fresh;
  EXPECT_EQ(fresh.GetEngineInterface(), nullptr);
  EXPECT_FALSE(fresh.initialized);
  EXPECT_FALSE(fresh.inLoop);
  EXPECT_STREQ(fresh.commandLine, "");
  EXPECT_FALSE(fresh.GetIfKeepRunningApplication());
  EXPECT_EQ(fresh.LoadProject(), EngineControl::projectRefused);
}

TEST_F(EngineControlTest, LoopAndMessagesBeforeStartDoNothing) {
  control.EngineLoop();
  control.ProcessWindowMessage(0x0100, 0, 0);
  EXPECT_EQ(control.GetEngineInterface(), nullptr);
  EXPECT_EQ(debugOutPut, nullptr);
}

TEST_F(EngineControlTest, StartInstallsTheSinkAndTheWindow) {
  ASSERT_TRUE(control.InitEngine(nullptr, "Player", &window));
  EngineInterface* engine = control.GetEngineInterface();
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(control.initialized);
  EXPECT_EQ(debugOutPut, control.errorLog);
  EXPECT_EQ(engine->GetWindowHandle(), &window);
  EXPECT_EQ(engine->GetInstallDir(), folder.engine());
  EXPECT_STREQ(engine->GetEngineClassName(), "Player");
  EXPECT_EQ(platform::environmentPath().rfind(folder.engine() + "\\channels;", 0), 0u);
  EXPECT_FALSE(control.GetIfKeepRunningApplication());
  engine->extension->SetIfKeepRunningApplication(true);
  EXPECT_TRUE(control.GetIfKeepRunningApplication());
}

TEST_F(EngineControlTest, DestructionClearsTheSink) {
  {
    EngineControl local;
    ASSERT_TRUE(local.InitEngine(nullptr, nullptr, &window));
    ASSERT_NE(debugOutPut, nullptr);
  }
  EXPECT_EQ(debugOutPut, nullptr);
}

TEST_F(EngineControlTest, TextsAreCutAtTheirLimits) {
  const std::string longText(1200, 'c');
  control.SetCommandLine(longText.c_str());
  control.SetInstallDir(longText.c_str());
  control.SetKelvaneRegKey(longText.c_str());
  EXPECT_EQ(std::strlen(control.commandLine), 999u);
  EXPECT_EQ(std::strlen(control.installDir), 399u);
  EXPECT_EQ(std::strlen(control.regKey), 599u);
  control.SetCommandLine(nullptr);
  EXPECT_EQ(std::strlen(control.commandLine), 999u);
}

TEST_F(EngineControlTest, FrameAdvancesTheCountAndCallsTheStartChannel) {
  auto* channel = new ReenteringChannel;
  StartWith(channel);
  EngineInterface* engine = control.GetEngineInterface();
  for (int frame = 1; frame <= 3; ++frame) {
    control.EngineLoop();
    EXPECT_EQ(channel->calls, frame);
    EXPECT_EQ(engine->GetTreeCalculateCount(), frame);
  }
  EXPECT_EQ(control.startGroup, engine->GetChannelGroup(0));
}

TEST_F(EngineControlTest, FrameEnteredFromInsideAFrameReturnsAtOnce) {
  auto* channel = new ReenteringChannel;
  channel->control = &control;
  StartWith(channel);
  control.EngineLoop();
  EXPECT_EQ(channel->calls, 1);
  EXPECT_EQ(control.GetEngineInterface()->GetTreeCalculateCount(), 1);
  EXPECT_FALSE(control.inLoop);
}

TEST_F(EngineControlTest, NoStartGroupNoFrame) {
  ASSERT_TRUE(control.InitEngine(nullptr, nullptr, &window));
  control.EngineLoop();
  EXPECT_EQ(control.GetEngineInterface()->GetTreeCalculateCount(), 0);
  EXPECT_EQ(control.startGroup, nullptr);
}

TEST_F(EngineControlTest, MissingFileDialogKeepsTheGroups) {
  ASSERT_TRUE(control.InitEngine(nullptr, nullptr, &window));
  MessageCapture capture;  // in front of the engine's own sink
  control.GetEngineInterface()->CreateNewGroup("Old", false, 0);
  EXPECT_EQ(control.LoadProject(), EngineControl::projectRefused);
  EXPECT_TRUE(capture.Contains(errorMessageType, dialogError));
  EXPECT_NE(control.GetEngineInterface()->GetChannelGroup(0), nullptr);
}

TEST_F(EngineControlTest, CommandLineProjectReleasesTheGroupsWithoutADialog) {
  control.SetCommandLine("Z:\\projects\\demo.kvn");
  ASSERT_TRUE(control.InitEngine(nullptr, nullptr, &window));
  MessageCapture capture;
  control.GetEngineInterface()->CreateNewGroup("Old", false, 0);
  // A project file that does not exist is refused.
  EXPECT_EQ(control.LoadProject(), EngineControl::projectRefused);
  EXPECT_FALSE(capture.Contains(errorMessageType, dialogError));
  EXPECT_EQ(control.GetEngineInterface()->GetChannelGroupCount(), 0);
}

}  // namespace
