// The dynamic group loading component: public calls queue their target group, which is
// loaded at the start of the next frame; a synchronous load of the pool or the release of
// all groups drops the queued request.
#include <string>

#include "graph/zyl_dynamic_group_loading.h"
#include "group_file_fixture.h"

namespace {

// The file engine, also handing out the staged dynamic group loading component.
class DynamicEngine : public FileEngine {
 public:
  ~DynamicEngine() override {
    // Unique channels go while their library is still loaded.
    engine->ReleaseGroups();
    delete engine->uniqueGroup;
    engine->uniqueGroup = nullptr;
  }
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup* group, bool children) override {
    if (IsEqualGuid(type, dynamicGroupLoadingTypeGuid)) {
      return library.Create<Zyl_DynamicGroupLoadingChannel>(this);
    }
    return FileEngine::InitChannelFromType(type, group, children);
  }
  StagedLibrary library{"EBA6C42E-B5C9-439F-97E8-062D94A5B61C.dll"};
};

class DynamicGroupLoading : public testing::Test {
 protected:
  DynamicGroupLoading() : previous(globalEngine) { globalEngine = &engine; }
  ~DynamicGroupLoading() override { globalEngine = previous; }

  void SetUp() override {
    ASSERT_NE(engine.library.module, nullptr) << platform::lastModuleErrorText();
    engine.engine->initialized = true;
    Zyl_ChannelGroup target(&engine);
    Zyl_Channel* render = FileEngine::NewNode("Render");
    target.AddChannel(render);
    render->SetChannelInterfaceType(HUX_PUBLICCHANNEL);
    ASSERT_TRUE(target.SaveChannelGroup(folder.engine("target.cgr").c_str()));
    caller = engine.CreateNewGroup("Main", false, -1);
    caller->SetChannelGroupFileName(folder.engine("main.cgr").c_str());
  }

  Zyl_Channel* AddCall(bool dynamic) {
    auto* call = new TestChannel(leafGuid);
    caller->AddChannel(call);
    call->SetChannelInterfaceType(HUX_PUBLICCALL);
    PublicCallInfo info;
    CopyTextField(info.targetName, "Render");
    CopyTextField(info.targetPool, "Scene");
    CopyTextField(info.targetFile, "target.cgr");
    channelInternal.SetPublicCallInfo(call, info);
    if (dynamic) channelInternal.SetDynamicAutoLoadGroup(call, true);
    return call;
  }

  Zyl_DynamicGroupLoadingChannel* Loader() {
    return dynamic_cast<Zyl_DynamicGroupLoadingChannel*>(
        engine.GetUniqueChannel(dynamicGroupLoadingTypeGuid, nullptr));
  }
  void NextFrame() { engine.extension->IncreaseTreeCount(); }
  static Zyl_Channel* Resolve(Zyl_Channel* call) {
    return channelInternal.GetPublicChannelForPublicCall(call, false);
  }

  DynamicEngine engine;
  MessageCapture capture;
  TempFolder folder;
  Zyl_ChannelGroup* caller = nullptr;

 private:
  EngineInterface* previous;
};

TEST_F(DynamicGroupLoading, TargetGroupIsLoadedAtTheNextFrame) {
  Zyl_Channel* call = AddCall(true);
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_EQ(Resolve(call), nullptr);
  ASSERT_NE(Loader(), nullptr);
  EXPECT_EQ(Loader()->GetDeferredCount(), 1);  // asked once
  EXPECT_EQ(engine.GetPoolGroup("Scene", 0), nullptr);

  NextFrame();
  Zyl_ChannelGroup* scene = engine.GetPoolGroup("Scene", 0);
  ASSERT_NE(scene, nullptr);
  EXPECT_STREQ(scene->GetChannelGroupFileName(), folder.engine("target.cgr").c_str());
  EXPECT_EQ(Resolve(call), scene->GetChannel("Render"));
  EXPECT_EQ(Loader()->GetDeferredCount(), 0);
}

TEST_F(DynamicGroupLoading, SynchronousLoadOfThePoolDropsTheQueuedRequest) {
  Zyl_Channel* deferred = AddCall(true);
  Zyl_Channel* immediate = AddCall(false);
  ASSERT_EQ(Resolve(deferred), nullptr);
  ASSERT_EQ(Loader()->GetDeferredCount(), 1);

  Zyl_Channel* target = Resolve(immediate);
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(Loader()->GetDeferredCount(), 0);
  EXPECT_EQ(Resolve(deferred), target);  // its waiting request met the loaded group
  NextFrame();
  EXPECT_EQ(engine.GetChannelGroupCount(), 2);
  EXPECT_FALSE(capture.Contains(errorMessageType, "Engine::LoadChannelGroup Pool name already exists"));
}

TEST_F(DynamicGroupLoading, ReleasingAllGroupsEmptiesTheQueue) {
  ASSERT_EQ(Resolve(AddCall(true)), nullptr);
  ASSERT_EQ(Loader()->GetDeferredCount(), 1);
  engine.extension->ReleaseGroups();
  EXPECT_EQ(Loader()->GetDeferredCount(), 0);
  NextFrame();
  EXPECT_EQ(engine.GetPoolGroup("Scene", 0), nullptr);
}

TEST_F(DynamicGroupLoading, PoolWithoutTheTargetSwitchesDynamicLoadingOff) {
  engine.CreateNewGroup("Scene", false, -1);
  Zyl_Channel* call = AddCall(true);
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType, "Error channel not found dissabeling dynamic loading"));
  EXPECT_FALSE(channelInternal.GetDynamicAutoLoadGroup(call));
  EXPECT_EQ(Loader()->GetDeferredCount(), 0);
}

TEST_F(DynamicGroupLoading, OneLoadPerPoolAndFailedLoadsAreReported) {
  Zyl_DynamicGroupLoadingChannel* loader = Loader();
  const std::string missing = folder.engine("missing.cgr");
  loader->LoadGroupDeferred(missing.c_str(), "Scene");
  loader->LoadGroupDeferred(folder.engine("target.cgr").c_str(), "SCENE");
  loader->LoadGroupDeferred(nullptr, "Other");
  EXPECT_EQ(loader->GetDeferredCount(), 1);
  NextFrame();
  EXPECT_TRUE(capture.Contains(errorMessageType, "Hux_DynamicGroupLoading: Couldn't load group " + missing));
  EXPECT_EQ(engine.GetPoolGroup("Scene", 0), nullptr);
}

}  // namespace
