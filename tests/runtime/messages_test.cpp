// Message objects: the texts of each call form, the type of each class, and silence
// while no sink is installed.
#include <string>

#include "graph/graph_test_support.h"
#include "runtime/messages.h"

namespace {

TEST(Messages, DroppedWithoutSink) {
  ASSERT_EQ(debugOutPut, nullptr);
  ShowErrorMessage error;
  error("nobody hears this");
  error("text", 3);
  {
    MessageCapture capture;
    EXPECT_TRUE(capture.messages.empty());
  }
}

TEST(Messages, CallForms) {
  MessageCapture capture;
  ShowDebugMessage debug;
  debug("plain");
  debug("GetLastError:", 126);
  debug("first", "second");
  debug("first", static_cast<const char*>(nullptr));
  debug(static_cast<const char*>(nullptr), "second");
  debug(GUID{0x6A2E4C96, 0x0D3F, 0x4B17, {0x9F, 0x60, 0x8A, 0x9B, 0x0C, 0x1D, 0x2E, 0x54}});
  const std::vector<std::string> expected = {"plain", "GetLastError: 126", "first second", "first ",
                                             "6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54"};
  ASSERT_EQ(capture.messages.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(capture.messages[i].first, debugMessageType);
    EXPECT_EQ(capture.messages[i].second, expected[i]);
  }
}

TEST(Messages, LeadingTextIsCutAt499) {
  MessageCapture capture;
  ShowInfoMessage info;
  const std::string longText(600, 'a');
  info(longText.c_str(), 7);
  info(longText.c_str(), "b");
  ASSERT_EQ(capture.messages.size(), 2u);
  EXPECT_EQ(capture.messages[0].second, std::string(499, 'a') + " 7");
  EXPECT_EQ(capture.messages[1].second, std::string(499, 'a') + " b");
}

TEST(Messages, EachClassCarriesItsType) {
  MessageCapture capture;
  ShowDebugMessage debug;
  ShowErrorMessage error;
  ShowInfoMessage info;
  ShowMessageBox box;
  ShowUserInfoMessage userInfo;
  ShowUserWarningMessage userWarning;
  ShowUserErrorMessage userError;
  ShowDebugMessage* all[] = {&debug, &error, &info, &box, &userInfo, &userWarning, &userError};
  for (ShowDebugMessage* message : all) (*message)("x");
  ASSERT_EQ(capture.messages.size(), 7u);
  for (int type = 0; type < 7; ++type) EXPECT_EQ(capture.messages[type].first, type);
}

TEST(Messages, FloatFormsUseSignificantDigits) {
  MessageCapture capture;
  ShowDebugMessage debug;
  debug("value", 1.23456789f);
  debug(2);
  debug(0.25);
  ASSERT_EQ(capture.messages.size(), 3u);
  EXPECT_EQ(capture.messages[0].second, "value 1.2346");
  EXPECT_EQ(capture.messages[1].second, "2.");
  EXPECT_EQ(capture.messages[2].second, "0.25");
}

}  // namespace
