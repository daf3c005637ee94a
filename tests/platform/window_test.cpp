// The headless window, the defaults of a minimal window, and the process-wide queries.
#include "platform/headless_window.h"

#include <gtest/gtest.h>

namespace {

// A window that implements only what a frame sink must.
class FrameSink : public platform::Window {
 public:
  int clientWidth() const override { return 320; }
  int clientHeight() const override { return 200; }
  void present(const uint32_t*, int, int, int) override {}
  void applyCursor(platform::Cursor cursor) override { applied.push_back(cursor); }
  std::vector<platform::Cursor> applied;
};

TEST(HeadlessWindow, PresentKeepsAPackedCopy) {
  platform::HeadlessWindow window(2, 2);
  // Rows of 3 pixels' pitch, of which 2 are shown.
  const uint32_t pixels[] = {0x00FF0000, 0x0000FF00, 0xDEADBEEF, 0x000000FF, 0x00FFFFFF, 0xDEADBEEF};
  window.present(pixels, 2, 2, 12);
  EXPECT_EQ(window.lastFrame(), (std::vector<uint32_t>{0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF}));
  EXPECT_EQ(window.lastFrameWidth(), 2);
  EXPECT_EQ(window.presentCount(), 1u);
  window.present(pixels, 2, 2, 4);  // a pitch shorter than a row is refused
  EXPECT_EQ(window.lastFrame().size(), 4u);
  EXPECT_EQ(window.presentCount(), 2u);
}

TEST(HeadlessWindow, PlacementSizeAndStyle) {
  platform::HeadlessWindow window(640, 480, "Kelvane Editor");
  EXPECT_EQ(window.className(), "Kelvane Editor");
  window.setWindowPlacement(10, 20, 320, 200);
  platform::Rect rect = window.windowRect();
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 330);
  EXPECT_EQ(rect.bottom, 220);
  EXPECT_EQ(platform::clientRect(window).right, 320);
  window.setStyle(platform::stylePopup | platform::styleVisible | platform::styleSysMenu);
  EXPECT_EQ(static_cast<uint32_t>(window.style()), 0x90080000u);
  window.setClientSize(-5, 100);
  EXPECT_EQ(window.clientWidth(), 0);
}

TEST(Windows, FocusQueriesFindTheFocusedWindow) {
  platform::HeadlessWindow first(10, 10);
  platform::HeadlessWindow second(10, 10);
  first.setFocused(false);
  second.setFocused(false);
  EXPECT_EQ(platform::focusWindow(), nullptr);
  EXPECT_EQ(platform::foregroundWindow(), nullptr);
  second.setFocused(true);
  EXPECT_EQ(platform::focusWindow(), &second);
  EXPECT_EQ(platform::activeWindow(), &second);
  EXPECT_EQ(platform::foregroundWindow(), &second);
}

TEST(Windows, DestroyedWindowsAreNotFound) {
  { platform::HeadlessWindow focused(10, 10); }
  EXPECT_EQ(platform::focusWindow(), nullptr);
}

TEST(Windows, MinimalWindowHasDefaultsAndSeesTheCursor) {
  FrameSink sink;
  platform::Rect rect = sink.windowRect();
  EXPECT_EQ(rect.right, 320);
  EXPECT_EQ(rect.bottom, 200);
  EXPECT_FALSE(sink.hasFocus());
  platform::setCursor(platform::Cursor::none);
  EXPECT_EQ(platform::currentCursor(), platform::Cursor::none);
  platform::setCursor(platform::Cursor::arrow);
  EXPECT_EQ(sink.applied, (std::vector<platform::Cursor>{platform::Cursor::none, platform::Cursor::arrow}));
}

}  // namespace
