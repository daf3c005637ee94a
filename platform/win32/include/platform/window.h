// The engine window as the engine and the software device see it, and the process-wide
// window queries (focus, active and foreground window, cursor).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// Window style bits under their customary values.
inline constexpr int32_t styleOverlappedWindow = 0x00CF0000;
inline constexpr int32_t stylePopup = static_cast<int32_t>(0x80000000);
inline constexpr int32_t styleVisible = 0x10000000;
inline constexpr int32_t styleSysMenu = 0x00080000;
inline constexpr int32_t styleCaption = 0x00C00000;

enum class Cursor { none, arrow };

// Every window registers itself on construction, so that the process-wide queries below
// find it. The operations beyond the first three have defaults for windows that only show
// frames (a window at the origin, its frame equal to its client area, never focused).
class Window {
 public:
  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;

  // Shows a finished frame: `width` x `height` X8R8G8B8 pixels, top row first,
  // `pitchBytes` bytes per row. The pixels are copied before the call returns.
  virtual void present(const uint32_t* pixels, int width, int height, int pitchBytes) = 0;

  // The outer rectangle in desktop coordinates.
  virtual Rect windowRect() const;
  // Moves the window and sets its outer size.
  virtual void setWindowPlacement(int x, int y, int width, int height);
  virtual int32_t style() const;
  virtual void setStyle(int32_t style);
  virtual std::string className() const;
  virtual bool hasFocus() const;
  virtual bool isActive() const;
  virtual bool isForeground() const;
  // The client rectangle of the desktop the window is on.
  virtual Rect desktopRect() const;
  // Called when the process cursor changes, to show it over this window.
  virtual void applyCursor(Cursor cursor);
};

// The opaque window handle passed through the engine.
using WindowHandle = Window*;

// The client rectangle: origin 0, 0 and the client size.
Rect clientRect(const Window& window);

// The first live window with keyboard focus / active / in the foreground, or null.
WindowHandle focusWindow();
WindowHandle activeWindow();
WindowHandle foregroundWindow();

// The cursor shown over the process's windows.
void setCursor(Cursor cursor);
Cursor currentCursor();

}  // namespace platform
