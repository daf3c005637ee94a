// The window base (registration and defaults) and the process-wide window queries.
#include "platform/window.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform {

namespace {

std::mutex windowsMutex;
std::vector<Window*> liveWindows;
Cursor processCursor = Cursor::arrow;

template <typename Predicate>
WindowHandle firstWindow(Predicate predicate) {
  std::lock_guard lock(windowsMutex);
  for (Window* window : liveWindows)
    if (predicate(*window)) return window;
  return nullptr;
}

}  // namespace

Window::Window() {
  std::lock_guard lock(windowsMutex);
  liveWindows.push_back(this);
}

Window::~Window() {
  std::lock_guard lock(windowsMutex);
  liveWindows.erase(std::remove(liveWindows.begin(), liveWindows.end(), this), liveWindows.end());
}

Rect Window::windowRect() const { return clientRect(*this); }
void Window::setWindowPlacement(int, int, int, int) {}
int32_t Window::style() const { return styleOverlappedWindow | styleVisible; }
void Window::setStyle(int32_t) {}
std::string Window::className() const { return "Kelvane"; }
bool Window::hasFocus() const { return false; }
bool Window::isActive() const { return false; }
bool Window::isForeground() const { return false; }
Rect Window::desktopRect() const { return clientRect(*this); }
void Window::applyCursor(Cursor) {}

Rect clientRect(const Window& window) {
  return Rect{0, 0, window.clientWidth(), window.clientHeight()};
}

WindowHandle focusWindow() {
  return firstWindow([](const Window& window) { return window.hasFocus(); });
}
WindowHandle activeWindow() {
  return firstWindow([](const Window& window) { return window.isActive(); });
}
WindowHandle foregroundWindow() {
  return firstWindow([](const Window& window) { return window.isForeground(); });
}

void setCursor(Cursor cursor) {
  std::vector<Window*> windows;
  {
    std::lock_guard lock(windowsMutex);
    processCursor = cursor;
    windows = liveWindows;
  }
  for (Window* window : windows) window->applyCursor(cursor);
}

Cursor currentCursor() {
  std::lock_guard lock(windowsMutex);
  return processCursor;
}

}  // namespace platform
