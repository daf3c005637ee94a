// The engine window on a display, through SDL; frames are shown through a streaming texture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/window.h"

namespace platform {

class SdlWindow : public Window {
 public:
  // A shown window with a client area of the given size; null when the display or the window
  // cannot be created (the reason in `errorText`).
  static std::unique_ptr<SdlWindow> create(const std::string& title, int clientWidth,
                                           int clientHeight, std::string className = "Kelvane",
                                           std::string* errorText = nullptr);
  ~SdlWindow() override;

  int clientWidth() const override;
  int clientHeight() const override;
  void present(const uint32_t* pixels, int width, int height, int pitchBytes) override;

  Rect windowRect() const override;
  void setWindowPlacement(int x, int y, int width, int height) override;
  int32_t style() const override;
  void setStyle(int32_t style) override;
  std::string className() const override;
  bool hasFocus() const override;
  bool isActive() const override;
  bool isForeground() const override;
  Rect desktopRect() const override;
  void applyCursor(Cursor cursor) override;

  // The SDL window id, so that the host can route SDL events to this window.
  uint32_t sdlWindowId() const;
  // The SDL window itself (an SDL_Window*), for an owner of SDL message boxes.
  void* sdlWindow() const;

 private:
  struct State;
  explicit SdlWindow(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// Makes message boxes appear through SDL; when SDL cannot show one it is printed to standard
// error as before.
void installSdlMessageBoxes();

}  // namespace platform
