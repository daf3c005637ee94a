// Unique channels (through a staged plug-in), the event table with its dispatch, channel
// requests and the engine's worker-thread list.
#include <atomic>
#include <string>
#include <vector>

#include "graph/zyl_channel_group.h"
#include "platform/time.h"
#include "plugin_test_support.h"
#include "runtime/zyl_tread.h"

namespace {

using UniqueChannels = PluginTest;

TEST_F(UniqueChannels, OnePerTypeAndNameIgnoringCase) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  Zyl_Channel* unnamed = started.GetUniqueChannel(plainPluginGuid, nullptr);
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(started.GetUniqueChannel(plainPluginGuid, ""), unnamed);
  Zyl_Channel* named = started.GetUniqueChannel(plainPluginGuid, "A");
  ASSERT_NE(named, nullptr);
  EXPECT_NE(named, unnamed);
  EXPECT_EQ(started.GetUniqueChannel(plainPluginGuid, "a"), named);
  ChannelType record;
  record.guid = plainPluginGuid;
  EXPECT_EQ(started.GetUniqueChannel(record, "A"), named);
  EXPECT_EQ(started.extension->GetUniqueChannelCount(), 2);
  EXPECT_EQ(named->GetChannelGroup(), started.engine->uniqueGroup);
  EXPECT_EQ(started.GetUniqueChannel(absentPluginGuid, nullptr), nullptr);
}

TEST_F(UniqueChannels, LongNamesKeepTheirLastFiftyNineCharacters) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  const std::string tail(59, 'k');
  const std::string longName = std::string(11, 'x') + tail;  // 70 characters
  Zyl_Channel* channel = started.GetUniqueChannel(plainPluginGuid, longName.c_str());
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(std::string(channel->GetChannelName()), tail);
  EXPECT_EQ(started.GetUniqueChannel(plainPluginGuid, tail.c_str()), channel);
  EXPECT_EQ(started.GetUniqueChannel(plainPluginGuid, (std::string(11, 'y') + "K" + tail.substr(1)).c_str()),
            channel);
  const std::string shorter(58, 'k');
  EXPECT_NE(started.GetUniqueChannel(plainPluginGuid, shorter.c_str()), channel);
}

TEST_F(UniqueChannels, NullTypeIsReported) {
  EngineInterface engine;
  EXPECT_EQ(engine.GetUniqueChannel(nullGuid, "A"), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "GUID of channel not found!\nCould not add unique channel!"));
}

// Notes every event it receives; may register another channel from inside a dispatch.
class ListeningChannel : public Zyl_Channel {
 public:
  void DoEvent(int event, unsigned long data) override {
    received.push_back(event);
    if (event == 1) message = *reinterpret_cast<const WindowMessage*>(data);
    if (registerOnEvent != nullptr) {
      engineInterface->AddChannelToEvent(registerOnEvent, event);
      registerOnEvent = nullptr;
    }
  }
  std::vector<int> received;
  WindowMessage message;
  Zyl_Channel* registerOnEvent = nullptr;
};

class Events : public EngineTest {
 protected:
  Events() {
    listener.engineInterface = &engine;
    other.engineInterface = &engine;
  }
  ListeningChannel listener;
  ListeningChannel other;
};

TEST_F(Events, TwiceRegisteredReceivesTwiceAndOneRemovalRemovesBoth) {
  engine.AddChannelToEvent(&listener, 0);
  engine.AddChannelToEvent(&other, 1);
  engine.AddChannelToEvent(&listener, 0);
  engine.AddChannelToEvent(&listener, -1);
  engine.AddChannelToEvent(nullptr, 0);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(listener.received, (std::vector<int>{0, 0}));
  EXPECT_TRUE(other.received.empty());

  engine.RemoveChannelFromEvent(&listener, 0);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(listener.received.size(), 2u);
  EXPECT_EQ(engine.engine->events.GetItemCount(), 1);  // only other's registration is left
}

TEST_F(Events, CurrentEventFollowsFramesMessagesAndRelease) {
  engine.AddChannelToEvent(&listener, 1);
  EXPECT_EQ(engine.extension->GetCurrentEvent(), -1);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(engine.extension->GetCurrentEvent(), 0);
  engine.extension->ProcessWindowMessage(0x0100, 0x41, 0x001E0001);
  EXPECT_EQ(engine.extension->GetCurrentEvent(), 1);
  ASSERT_EQ(listener.received, (std::vector<int>{1}));
  EXPECT_EQ(listener.message.message, 0x0100u);
  EXPECT_EQ(listener.message.wParam, 0x41u);
  EXPECT_EQ(listener.message.lParam, 0x001E0001);
  engine.extension->Release();
  EXPECT_EQ(engine.extension->GetCurrentEvent(), -3);
  engine.extension->ProcessWindowMessage(0x0101, 0, 0);
  EXPECT_EQ(listener.received.size(), 1u);
}

TEST_F(Events, RegistrationDuringDispatchIsReachedInTheSameWalk) {
  listener.registerOnEvent = &other;
  engine.AddChannelToEvent(&listener, 0);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(other.received, (std::vector<int>{0}));
}

TEST_F(Events, RequestsTakeFreePositionsAndLeaveWithTheirChannel) {
  Engine& internal = *engine.engine;
  EXPECT_TRUE(engine.extension->AddChannelRequest(2, &listener));
  EXPECT_TRUE(engine.extension->AddChannelRequest(3, &other));
  engine.extension->CheckPublicCallChannelRemoval(&listener);
  EXPECT_EQ(internal.requests.GetItem(0), nullptr);
  EXPECT_TRUE(engine.extension->AddChannelRequest(4, &listener));
  auto* reused = static_cast<EngineChannelRequest*>(internal.requests.GetItem(0));
  ASSERT_NE(reused, nullptr);
  EXPECT_EQ(reused->instance, 4);
  EXPECT_EQ(engine.extension->GetPublicChannel(nullptr), nullptr);
}

// Runs until asked to exit.
class CooperativeRun : public Zyl_RunTread {
 public:
  void TreadFunction() override {
    while (GetIfContinueTreadCalls() && !GetIfExitThread()) platform::sleepMilliseconds(1);
  }
};

TEST_F(Events, EngineThreadsServeTheirEngineAndCloseAtRelease) {
  Zyl_Tread* tread = engine.extension->GetNewTread();
  ASSERT_NE(tread, nullptr);
  EXPECT_EQ(tread->engineInterface, &engine);
  EXPECT_EQ(engine.extension->GetTreadFromID(tread->GetClassID()), tread);
  Zyl_Tread* idle = engine.extension->GetNewTread();
  ASSERT_NE(idle, nullptr);
  engine.extension->KillTread(idle);
  EXPECT_EQ(engine.engine->threads.GetItem(1), nullptr);
  ASSERT_TRUE(tread->StartTread(new CooperativeRun));
  engine.extension->Release();
  EXPECT_EQ(engine.engine->threads.GetItemCount(), 0);
}

}  // namespace
