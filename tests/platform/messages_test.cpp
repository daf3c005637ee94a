// Message boxes reach the installed presenter, or standard error by default; debug output.
#include "platform/messages.h"

#include <gtest/gtest.h>

#include "platform/headless_window.h"

namespace {

TEST(MessageBoxes, CaptureReceivesTheRequest) {
  std::vector<platform::MessageBoxRequest> shown;
  platform::setMessageBoxPresenter(
      [&](const platform::MessageBoxRequest& request) { shown.push_back(request); });
  platform::HeadlessWindow window(64, 48);
  platform::showMessageBox(&window, "Failed loading", "Kelvane Error", platform::MessageIcon::error);
  platform::showMessageBox(nullptr, "Text", "Message");
  platform::setMessageBoxPresenter(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].owner, &window);
  EXPECT_EQ(shown[0].text, "Failed loading");
  EXPECT_EQ(shown[0].caption, "Kelvane Error");
  EXPECT_EQ(shown[0].icon, platform::MessageIcon::error);
  EXPECT_EQ(shown[1].owner, nullptr);
  EXPECT_EQ(shown[1].icon, platform::MessageIcon::none);
}

TEST(MessageBoxes, WithoutPresenterTheyGoToStandardError) {
  testing::internal::CaptureStderr();
  platform::showMessageBox(nullptr, "EngineControl::InitEngine: Out of memory", "Kelvane Error");
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("Kelvane Error"), std::string::npos) << printed;
  EXPECT_NE(printed.find("EngineControl::InitEngine: Out of memory"), std::string::npos) << printed;
}

TEST(DebugOutput, WrittenOnlyWhenEnabled) {
  bool previous = platform::debugOutputEnabled();
  for (bool enabled : {false, true}) {
    platform::setDebugOutputEnabled(enabled);
    testing::internal::CaptureStderr();
    platform::debugOutput("Couldn't create DDraw\r\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), enabled ? "Couldn't create DDraw\r\n" : "");
  }
  platform::setDebugOutputEnabled(previous);
}

}  // namespace
