// The file facades without their component: the failure message, then inert operations.
#include "graph_test_support.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "graph/zyl_guid.h"

namespace {

// An engine whose catalogue hands out a plain channel for every type.
class WrongClassEngine : public EngineInterface {
 public:
  Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup*, bool) override {
    requested = type;
    return new TestChannel(type);
  }
  GUID requested = nullGuid;
};

TEST(FileFacades, WithoutComponentReportAndStayInert) {
  MessageCapture capture;
  EngineInterface engine;
  ZylFileLoader loader(&engine);
  ZylFileSaver saver(&engine);
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "ZylFileLoader::ZylFileLoader: File loader class not found"));
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "ZylFileSaver::ZylFileSaver: File loader class not found"));
  EXPECT_EQ(loader.GetLoaderChannel(), nullptr);
  EXPECT_FALSE(loader.LoadFile("Z:\\tmp\\a.cgr"));
  EXPECT_FALSE(loader.GetInfoIfTag("ZYLG"));
  char destination[4];
  EXPECT_FALSE(loader.CopyTagDataToPointer(destination, sizeof destination));
  EXPECT_EQ(loader.GetBuffer(), nullptr);
  EXPECT_EQ(loader.GetBufferSize(), 0);
  EXPECT_EQ(loader.GetSizeDataBlock(true), 0u);
  EXPECT_EQ(loader.GetCRC(), 0);
  EXPECT_TRUE(loader.GetIfEndOfFile());
  EXPECT_FALSE(saver.OpenSaveFile("Z:\\tmp\\a.cgr", false));
  EXPECT_EQ(saver.SaveTag("ZYLG"), 0);
  EXPECT_FALSE(saver.CloseSaveFile());
  EXPECT_EQ(saver.GetBuffer(), nullptr);
}

TEST(FileFacades, DefaultConstructorsServeGlobalEngine) {
  MessageCapture capture;
  EngineInterface engine;
  EngineInterface* previous = globalEngine;
  globalEngine = &engine;
  ZylFileLoader loader;
  ZylFileSaver saver;
  globalEngine = previous;
  EXPECT_EQ(loader.engineInterface, &engine);
  EXPECT_EQ(saver.engineInterface, &engine);
  ASSERT_EQ(capture.messages.size(), 2u);
  EXPECT_EQ(capture.messages[0], std::make_pair(int{errorMessageType},
                                                std::string("File loader class not found")));
  EXPECT_EQ(capture.messages[1], capture.messages[0]);
}

TEST(FileFacades, ChannelOfAnotherClassIsRefused) {
  MessageCapture capture;
  WrongClassEngine engine;
  ZylFileLoader loader(&engine);
  EXPECT_TRUE(IsEqualGuid(engine.requested, fileLoaderTypeGuid));
  ZylFileSaver saver(&engine);
  EXPECT_TRUE(IsEqualGuid(engine.requested, fileSaverTypeGuid));
  EXPECT_EQ(loader.GetLoaderChannel(), nullptr);
  EXPECT_EQ(saver.GetSaverChannel(), nullptr);
  EXPECT_EQ(capture.messages.size(), 2u);
}

}  // namespace
