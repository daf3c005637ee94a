// Public calls in group files written by the engine: flat records of unresolved calls,
// the relative target file, autoload of the target group and its failure messages.
#include <string>
#include <vector>

#include "group_file_fixture.h"

namespace {

class PublicGroupFile : public GroupFileTest {
 protected:
  void SetUp() override {
    GroupFileTest::SetUp();
    engine.engine->initialized = true;  // groups are loaded through the engine
  }

  // The pool Scene with three leaf parameters and its public channel Render, saved.
  void SaveTarget(const std::string& relative) {
    std::filesystem::create_directories((folder.path() / relative).parent_path());
    const std::string path = folder.engine(relative);
    Zyl_ChannelGroup target(&engine);
    target.SetPoolName("Scene");
    for (const char* name : {"First", "Second", "Third"}) {
      ParameterInterfaceInfo parameter;
      CopyTextField(parameter.name, name);
      parameter.guid = leafGuid;
      target.AddParameterInfo(parameter);
    }
    Zyl_Channel* render = FileEngine::NewNode("Render");
    target.AddChannel(render);
    render->SetChannelInterfaceType(HUX_PUBLICCHANNEL);
    ASSERT_TRUE(target.SaveChannelGroup(path.c_str()));
  }

  static Zyl_Channel* AddCall(Zyl_ChannelGroup& group, bool autoLoad, const std::string& file) {
    auto* call = new TestChannel(leafGuid, nullGuid, "Call");
    group.AddChannel(call);
    call->SetChannelInterfaceType(HUX_PUBLICCALL);
    PublicCallInfo info;
    CopyTextField(info.targetName, "Render");
    CopyTextField(info.targetPool, "Scene");
    CopyTextField(info.targetFile, file.c_str());
    info.autoLoadGroup = autoLoad ? 1 : 0;
    channelInternal.SetPublicCallInfo(call, info);
    return call;
  }

  static Zyl_Channel* AddLeaf(Zyl_ChannelGroup& group, const char* name) {
    auto* leaf = new TestChannel(leafGuid, nullGuid, name);
    group.AddChannel(leaf);
    return leaf;
  }

  static Zyl_Channel* Resolve(Zyl_Channel* call) {
    return channelInternal.GetPublicChannelForPublicCall(call, false);
  }

  int RequestCount() const {
    int count = 0;
    for (int i = 0; i < engine.engine->requests.GetItemCount(); ++i) {
      count += engine.engine->requests.GetItem(i) != nullptr ? 1 : 0;
    }
    return count;
  }

  std::vector<std::string> ErrorMessages() const {
    std::vector<std::string> texts;
    for (const auto& [type, text] : capture.messages) {
      if (type == errorMessageType) texts.push_back(text);
    }
    return texts;
  }
};

TEST_F(PublicGroupFile, UnresolvedLinksAreSavedFlatAndRedistributedOnResolution) {
  Zyl_ChannelGroup caller(&engine);
  Zyl_Channel* call = AddCall(caller, false, "");
  call->SetChild(AddLeaf(caller, "A"), 0, 0);
  call->SetChild(AddLeaf(caller, "B"), 0, 2);
  const std::string path = folder.engine("main.cgr");
  ASSERT_TRUE(caller.SaveChannelGroup(path.c_str()));

  Zyl_ChannelGroup loaded(&engine);
  ASSERT_TRUE(loaded.LoadChannelGroupFromFile(path.c_str(), true));
  Zyl_Channel* loadedCall = loaded.GetChannel("Call");
  ASSERT_NE(loadedCall, nullptr);
  ASSERT_EQ(loadedCall->GetChildCount(), 4);  // A, an empty slot, B, the fallback head
  EXPECT_STREQ(channelInternal.GetInternalChild(loadedCall, 0)->GetChannelName(), "A");
  EXPECT_EQ(channelInternal.GetInternalChild(loadedCall, 1), nullptr);
  EXPECT_STREQ(channelInternal.GetInternalChild(loadedCall, 2)->GetChannelName(), "B");
  EXPECT_EQ(SaveToMemory(loaded), SaveToMemory(caller));

  const std::string targetPath = folder.engine("target.cgr");
  SaveTarget("target.cgr");
  ASSERT_NE(engine.LoadChannelGroup(targetPath.c_str(), "Scene"), nullptr);
  EXPECT_EQ(RequestCount(), 0);  // the waiting call found its target
  EXPECT_STREQ(loadedCall->GetChildFromLinkPosition(0, 0)->GetChannelName(), "A");
  EXPECT_EQ(loadedCall->GetChildFromLinkPosition(1, 0), nullptr);
  EXPECT_STREQ(loadedCall->GetChildFromLinkPosition(2, 0)->GetChannelName(), "B");
}

TEST_F(PublicGroupFile, TargetFileIsSavedRelativeToTheCallersFile) {
  const std::string targetPath = folder.engine("shared/target.cgr");
  SaveTarget("shared/target.cgr");
  ASSERT_NE(engine.LoadChannelGroup(targetPath.c_str(), "Scene"), nullptr);
  Zyl_ChannelGroup caller(&engine);
  Zyl_Channel* call = AddCall(caller, true, targetPath);
  ASSERT_NE(Resolve(call), nullptr);

  const std::string callerPath = folder.engine("groups/main.cgr");
  std::filesystem::create_directories(folder.path() / "groups");
  ASSERT_TRUE(caller.SaveChannelGroup(callerPath.c_str()));
  EXPECT_STREQ(channelInternal.GetPublicCallInfo(call).targetFile, "..\\shared\\target.cgr");
  Zyl_ChannelGroup loaded(&engine);
  ASSERT_TRUE(loaded.LoadChannelGroupFromFile(callerPath.c_str(), true));
  EXPECT_STREQ(channelInternal.GetPublicCallInfo(loaded.GetChannel("Call")).targetFile,
               "..\\shared\\target.cgr");
}

TEST_F(PublicGroupFile, AutoloadLoadsTheTargetGroupFromItsFile) {
  std::filesystem::create_directories(folder.path() / "groups");
  SaveTarget("shared/target.cgr");
  {
    Zyl_ChannelGroup caller(&engine);
    AddCall(caller, true, "..\\shared\\target.cgr");
    ASSERT_TRUE(caller.SaveChannelGroup(folder.engine("groups/main.cgr").c_str()));
  }
  Zyl_ChannelGroup* caller = engine.LoadChannelGroup(folder.engine("groups/main.cgr").c_str(), "Main");
  ASSERT_NE(caller, nullptr);
  Zyl_Channel* target = Resolve(caller->GetChannel("Call"));
  ASSERT_NE(target, nullptr);
  Zyl_ChannelGroup* scene = engine.GetPoolGroup("Scene", 0);
  ASSERT_EQ(target->GetChannelGroup(), scene);
  EXPECT_STREQ(scene->GetChannelGroupFileName(), folder.engine("shared/target.cgr").c_str());
  EXPECT_EQ(channelInternal.GetChildCreationCount(caller->GetChannel("Call")), 3);
  // Without the dynamic loading component the engine says so, and loads all the same.
  EXPECT_TRUE(HasMessage(messageBoxType, "dynamicGroupLoading"));
}

TEST_F(PublicGroupFile, AutoloadIntoAPoolWithoutTheTargetReportsOnceAndTurnsAutoloadOff) {
  engine.CreateNewGroup("Scene", false, -1);
  Zyl_ChannelGroup* caller = engine.CreateNewGroup("Main", false, -1);
  caller->SetChannelGroupFileName(folder.engine("main.cgr").c_str());
  Zyl_Channel* call = AddCall(*caller, true, "target.cgr");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Resolve(call), nullptr);

  // The two-text form of the message objects joins its texts with a space.
  const std::vector<std::string> expected = {
      "Zyl_Channel::GetPublicChannelForPublicCall error looking for channel",
      "Call  : is a public channel looking for a non existing channel",
      "Original Poolname :  Main",
      "Original Filename :  " + folder.engine("main.cgr"),
      "Target Filename :  target.cgr",
      "Non existing channel :  Render",
      "Target Poolname :  Scene",
      "Target Filename :  target.cgr",
      "Autoload turned off",
      "Reason for error might be that the target public channel has been renamed or deleted "
      "but the group still exists!!",
  };
  EXPECT_EQ(ErrorMessages(), expected);
  EXPECT_FALSE(channelInternal.GetAutoLoadGroup(call));
  EXPECT_EQ(RequestCount(), 1);  // later requests wait for the channel instead
}

TEST_F(PublicGroupFile, FailedAutoloadReportsOnceAndTurnsAutoloadOff) {
  Zyl_ChannelGroup* caller = engine.CreateNewGroup("Main", false, -1);
  caller->SetChannelGroupFileName(folder.engine("main.cgr").c_str());
  Zyl_Channel* call = AddCall(*caller, true, "missing.cgr");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Resolve(call), nullptr);

  int reports = 0;
  for (const std::string& text : ErrorMessages()) reports += text == "Couldn't autoload group";
  EXPECT_EQ(reports, 1);
  EXPECT_TRUE(HasMessage(errorMessageType, folder.engine("missing.cgr")));
  EXPECT_FALSE(channelInternal.GetAutoLoadGroup(call));
  EXPECT_EQ(engine.GetPoolGroup("Scene", 0), nullptr);
  EXPECT_EQ(RequestCount(), 1);
}

TEST_F(PublicGroupFile, AutoloadNeedsAFileOfTheCallersGroup) {
  SaveTarget("target.cgr");
  Zyl_ChannelGroup* caller = engine.CreateNewGroup("Main", false, -1);
  Zyl_Channel* call = AddCall(*caller, true, "target.cgr");
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_EQ(engine.GetPoolGroup("Scene", 0), nullptr);
  EXPECT_TRUE(channelInternal.GetAutoLoadGroup(call));
}

}  // namespace
