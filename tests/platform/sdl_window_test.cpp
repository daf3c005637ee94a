// The SDL window on SDL's display-less "dummy" video driver: size, frames, placement, style.
#include "platform/sdl_window.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/messages.h"

namespace {

class SdlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    window_ = platform::SdlWindow::create("test", 160, 120, "Kelvane Editor", &error);
    ASSERT_NE(window_, nullptr) << error;
  }
  std::unique_ptr<platform::SdlWindow> window_;
};

TEST_F(SdlWindowTest, ClientSizeClassAndFrames) {
  EXPECT_EQ(window_->clientWidth(), 160);
  EXPECT_EQ(window_->clientHeight(), 120);
  EXPECT_EQ(window_->className(), "Kelvane Editor");
  std::vector<uint32_t> frame(160 * 120, 0x00336699);
  window_->present(frame.data(), 160, 120, 160 * 4);
  window_->present(frame.data(), 80, 60, 160 * 4);  // another size recreates the texture
  window_->present(nullptr, 160, 120, 640);
}

TEST_F(SdlWindowTest, PlacementAndStyle) {
  window_->setWindowPlacement(30, 40, 200, 100);
  platform::Rect rect = window_->windowRect();
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  window_->setStyle(platform::stylePopup | platform::styleVisible | platform::styleSysMenu);
  EXPECT_EQ(window_->style(), platform::stylePopup | platform::styleVisible | platform::styleSysMenu);
  platform::Rect desktop = window_->desktopRect();
  EXPECT_GT(desktop.right, 0);
  platform::setCursor(platform::Cursor::none);
  platform::setCursor(platform::Cursor::arrow);
}

TEST_F(SdlWindowTest, MessageBoxesFallBackToStandardErrorWithoutADisplay) {
  unsetenv("DISPLAY");  // SDL would otherwise try a display of its own for the box
  unsetenv("WAYLAND_DISPLAY");
  platform::installSdlMessageBoxes();
  testing::internal::CaptureStderr();
  platform::showMessageBox(window_.get(), "text", "Message");
  std::string printed = testing::internal::GetCapturedStderr();
  platform::setMessageBoxPresenter(nullptr);
  EXPECT_NE(printed.find("[Message] text"), std::string::npos) << printed;
}

}  // namespace
