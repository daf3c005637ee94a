// Plug-in loading through real staged libraries: InitDLL, interface versions, automatic
// children, bare-name loading, subfolders, the type record, the facades' components.
#include <cstring>
#include <string>

#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "plugin_test_support.h"
#include "runtime/channel_list.h"

namespace {

using PluginLoading = PluginTest;

int CountMessages(const MessageCapture& capture, const std::string& prefix) {
  int count = 0;
  for (const auto& message : capture.messages) count += message.second.rfind(prefix, 0) == 0;
  return count;
}

TEST_F(PluginLoading, LibraryWithoutInitDLLGivesNullAndStaysCounted) {
  Stage({PluginFile(noInitPluginGuid)});
  EngineInterface& started = Start();
  capture.messages.clear();
  EXPECT_EQ(started.extension->GetDLLInstance(ChannelPath(PluginFile(noInitPluginGuid)).c_str()),
            nullptr);
  ASSERT_EQ(capture.messages.size(), 1u);
  EXPECT_EQ(capture.messages[0].second,
            "Engine::GetDLLInstance: Couldn't find external function InitDLL() in dll:");
  EXPECT_EQ(started.engine->modules.GetItemCount(), 1);
  Stop();
  EXPECT_TRUE(capture.Contains(errorMessageType, "Libraries loaded :  1"));
}

TEST_F(PluginLoading, MissingLibraryReportsNumberPathAndLoaderText) {
  EngineInterface& started = Start();
  capture.messages.clear();
  EXPECT_EQ(started.extension->GetDLLInstance("Z:\\nowhere\\Missing.dll"), nullptr);
  ASSERT_GE(capture.messages.size(), 3u);
  EXPECT_EQ(capture.messages[0].second.rfind("GetLastError: ", 0), 0u);
  EXPECT_EQ(capture.messages[1].second,
            "Engine::GetDLLInstance: Error loading DLL file: Z:\\nowhere\\Missing.dll");
  EXPECT_FALSE(capture.messages[2].second.empty());
  EXPECT_EQ(started.engine->modules.GetItemCount(), 0);
  EXPECT_EQ(started.extension->GetDLLInstance("a"), nullptr);
  EXPECT_EQ(started.extension->GetDLLInstance(nullptr), nullptr);
}

TEST_F(PluginLoading, VersionFortyIsNotCataloguedAndMarkedNotOnDisk) {
  StageComponents();
  Stage({PluginFile(oldPluginGuid)});
  EngineInterface& started = Start();
  const std::string path = ChannelPath(PluginFile(oldPluginGuid));
  EXPECT_TRUE(IsNullGuid(started.extension->GetDLLType(path.c_str()).guid));
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "Channel not compatible with current version:  Test Old"));
  EXPECT_EQ(Catalogue().GetItem(oldPluginGuid), nullptr);

  // An entry as channel.lst would bring it: not verified yet.
  auto* item = new ChannelListItem;
  item->type.guid = oldPluginGuid;
  item->fileName.SetString(path.c_str());
  item->onDisk = true;
  ASSERT_TRUE(Catalogue().AddItem(item));
  EXPECT_EQ(started.InitChannelFromType(oldPluginGuid, nullptr, false), nullptr);
  EXPECT_FALSE(item->onDisk);
  const int queries = LogCount("Test Old type");
  EXPECT_EQ(started.InitChannelFromType(oldPluginGuid, nullptr, false), nullptr);
  EXPECT_EQ(LogCount("Test Old type"), queries);
}

TEST_F(PluginLoading, MissingChildTypeStillMakesTheParent) {
  StageComponents();
  Stage({PluginFile(parentPluginGuid), PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  Zyl_ChannelGroup* group = started.CreateNewGroup("Pool", false, -1);
  ASSERT_NE(group, nullptr);
  capture.messages.clear();

  Zyl_Channel* parent = started.InitChannelFromType(parentPluginGuid, group, true);
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(CountMessages(capture, "Couldn't initialize child"), 1);
  EXPECT_EQ(group->GetChannelCount(), 2);
  Zyl_Channel* child = parent->GetChildFromLinkPosition(0, 0);
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(IsEqualGuid(child->GetChannelType().guid, plainPluginGuid));
  EXPECT_STREQ(child->GetChannelName(), "First");
  EXPECT_EQ(parent->GetChildFromLinkPosition(1, 0), nullptr);
  EXPECT_EQ(parent->GetChildFromLinkPosition(2, 0), nullptr);
  EXPECT_EQ(static_cast<TestPluginChannel*>(parent)->oneTimeInitializations, 1);
  EXPECT_EQ(static_cast<TestPluginChannel*>(child)->oneTimeInitializations, 1);

  // Without child creation only the parent is made.
  Zyl_Channel* alone = started.InitChannelFromType(parentPluginGuid, group, false);
  ASSERT_NE(alone, nullptr);
  EXPECT_EQ(alone->GetChildFromLinkPosition(0, 0), nullptr);
  EXPECT_EQ(group->GetChannelCount(), 3);
}

TEST_F(PluginLoading, LaterInstancesReuseTheLibraryHandle) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  Zyl_Channel* first = started.InitChannelFromType(plainPluginGuid, nullptr, false);
  ASSERT_NE(first, nullptr);
  const int modules = started.engine->modules.GetItemCount();
  Zyl_Channel* second = started.InitChannelFromType(plainPluginGuid, nullptr, false);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->module, first->module);
  EXPECT_EQ(Catalogue().GetItem(plainPluginGuid)->module, first->module);
  EXPECT_EQ(started.engine->modules.GetItemCount(), modules);
  EXPECT_EQ(first->engineInterface, &started);
  // The default type record comes from the channel's own library.
  const ChannelType type = second->GetChannelType();
  EXPECT_TRUE(IsEqualGuid(type.guid, plainPluginGuid));
  EXPECT_STREQ(type.name, "Test Plain");
  delete first;
  delete second;
}

TEST_F(PluginLoading, FirstLoadRefreshesAnOutdatedCatalogueRecord) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  Catalogue().SetVersionInfo(plainPluginGuid, 9, 9, 9);
  Zyl_Channel* channel = started.InitChannelFromType(plainPluginGuid, nullptr, false);
  ASSERT_NE(channel, nullptr);
  const ChannelType refreshed = Catalogue().GetChannelType(plainPluginGuid);
  EXPECT_EQ(refreshed.versionInfo[0], 1);
  EXPECT_EQ(refreshed.versionInfo[1], 41);
  EXPECT_EQ(refreshed.versionInfo[2], 1);
  delete channel;
}

TEST_F(PluginLoading, TwoPathsWithOneFileNameLoadOneLibrary) {
  Stage({PluginFile(plainPluginGuid)});
  EngineInterface& started = Start();
  const std::string file = PluginFile(plainPluginGuid);
  DllInterface* a = started.extension->GetDLLInstance(("Z:\\elsewhere\\" + file).c_str());
  DllInterface* b = started.extension->GetDLLInstance(("Z:\\other\\place\\" + file).c_str());
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->module, b->module);
  EXPECT_EQ(started.engine->modules.GetItemCount(), 2);  // each load is recorded
  EXPECT_EQ(globalEngine, &started);
  EXPECT_EQ(globalDllInstance, a->module);
  delete a;
  delete b;
}

TEST_F(PluginLoading, SubfolderPluginIsCataloguedButNotLoadable) {
  StageComponents();
  Stage({"sub/" + PluginFile(nestedPluginGuid)});
  EngineInterface& started = Start();
  ChannelListItem* item = Catalogue().GetItem(nestedPluginGuid);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(std::string(item->fileName.GetString()),
            ChannelPath("sub\\" + PluginFile(nestedPluginGuid)));
  EXPECT_TRUE(item->onDisk);
  EXPECT_EQ(started.InitChannelFromType(nestedPluginGuid, nullptr, false), nullptr);
}

TEST_F(PluginLoading, FacadesFindTheirComponentsThroughTheCatalogue) {
  StageComponents();
  EngineInterface& started = Start();
  ZylFileSaver saver(&started);
  ZylFileLoader loader(&started);
  EXPECT_NE(saver.GetSaverChannel(), nullptr);
  EXPECT_NE(loader.GetLoaderChannel(), nullptr);
  globalEngine = &started;
  ZylFileSaver defaultSaver;
  ZylFileLoader defaultLoader;
  EXPECT_NE(defaultSaver.GetSaverChannel(), nullptr);
  EXPECT_NE(defaultLoader.GetLoaderChannel(), nullptr);
}

}  // namespace
