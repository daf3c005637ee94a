// A window without a display: the host sets its size and state and reads the last frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(int clientWidth, int clientHeight, std::string className = "Kelvane");

  int clientWidth() const override { return width_; }
  int clientHeight() const override { return height_; }
  void present(const uint32_t* pixels, int width, int height, int pitchBytes) override;

  Rect windowRect() const override;
  void setWindowPlacement(int x, int y, int width, int height) override;
  int32_t style() const override { return style_; }
  void setStyle(int32_t style) override { style_ = style; }
  std::string className() const override { return className_; }
  bool hasFocus() const override { return focused_; }
  bool isActive() const override { return focused_; }
  bool isForeground() const override { return focused_; }
  Rect desktopRect() const override { return desktop_; }

  void setClientSize(int width, int height);
  // Focus, activation and foreground move together, as for the only window of a process.
  void setFocused(bool focused) { focused_ = focused; }
  void setDesktopRect(Rect desktop) { desktop_ = desktop; }

  // The last presented frame, tightly packed X8R8G8B8, top row first.
  const std::vector<uint32_t>& lastFrame() const { return frame_; }
  int lastFrameWidth() const { return frameWidth_; }
  int lastFrameHeight() const { return frameHeight_; }
  uint64_t presentCount() const { return presentCount_; }

 private:
  int width_;
  int height_;
  int x_ = 0;
  int y_ = 0;
  int32_t style_ = styleOverlappedWindow | styleVisible;
  std::string className_;
  bool focused_ = true;
  Rect desktop_{0, 0, 1920, 1080};
  std::vector<uint32_t> frame_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  uint64_t presentCount_ = 0;
};

}  // namespace platform
