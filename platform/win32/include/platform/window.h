// The engine window as the engine and the software device see it.
#pragma once

#include <cstdint>

namespace platform {

class Window {
 public:
  virtual ~Window() = default;

  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;

  // Shows a finished frame: `width` x `height` X8R8G8B8 pixels, top row first,
  // `pitchBytes` bytes per row. The pixels are copied before the call returns.
  virtual void present(const uint32_t* pixels, int width, int height, int pitchBytes) = 0;
};

// The opaque window handle passed through the engine.
using WindowHandle = Window*;

}  // namespace platform
