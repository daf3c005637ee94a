// The window of a host without a display.
#include "platform/headless_window.h"

#include <algorithm>
#include <cstring>

namespace platform {

HeadlessWindow::HeadlessWindow(int clientWidth, int clientHeight, std::string className)
    : width_(std::max(clientWidth, 0)),
      height_(std::max(clientHeight, 0)),
      className_(std::move(className)) {}

void HeadlessWindow::present(const uint32_t* pixels, int width, int height, int pitchBytes) {
  ++presentCount_;
  if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 4) return;
  frame_.resize(size_t(width) * size_t(height));
  for (int row = 0; row < height; ++row) {
    const auto* source = reinterpret_cast<const uint8_t*>(pixels) + size_t(row) * size_t(pitchBytes);
    std::memcpy(frame_.data() + size_t(row) * size_t(width), source, size_t(width) * 4);
  }
  frameWidth_ = width;
  frameHeight_ = height;
}

Rect HeadlessWindow::windowRect() const { return Rect{x_, y_, x_ + width_, y_ + height_}; }

void HeadlessWindow::setWindowPlacement(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  setClientSize(width, height);
}

void HeadlessWindow::setClientSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

}  // namespace platform
