// The SDL window: client size, placement, style, focus queries, cursor and frame upload.
#include "platform/sdl_window.h"

#include <SDL.h>

namespace platform {

struct SdlWindow::State {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int textureWidth = 0;
  int textureHeight = 0;
  int32_t style = styleOverlappedWindow | styleVisible;
  std::string className;
  bool ownsVideo = false;  // this window started SDL video
};

std::unique_ptr<SdlWindow> SdlWindow::create(const std::string& title, int clientWidth,
                                             int clientHeight, std::string className,
                                             std::string* errorText) {
  auto state = std::make_unique<State>();
  state->className = std::move(className);
  auto fail = [&](const char* step) -> std::unique_ptr<SdlWindow> {
    if (errorText) *errorText = std::string(step) + ": " + SDL_GetError();
    if (state->renderer) SDL_DestroyRenderer(state->renderer);
    if (state->window) SDL_DestroyWindow(state->window);
    if (state->ownsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  };
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail("SDL video");
    state->ownsVideo = true;
  }
  state->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   clientWidth, clientHeight, SDL_WINDOW_SHOWN);
  if (!state->window) return fail("SDL window");
  state->renderer = SDL_CreateRenderer(state->window, -1, 0);
  if (!state->renderer) return fail("SDL renderer");
  return std::unique_ptr<SdlWindow>(new SdlWindow(std::move(state)));
}

SdlWindow::SdlWindow(std::unique_ptr<State> state) : state_(std::move(state)) {}

SdlWindow::~SdlWindow() {
  if (state_->texture) SDL_DestroyTexture(state_->texture);
  SDL_DestroyRenderer(state_->renderer);
  SDL_DestroyWindow(state_->window);
  if (state_->ownsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int SdlWindow::clientWidth() const {
  int width = 0;
  SDL_GetWindowSize(state_->window, &width, nullptr);
  return width;
}

int SdlWindow::clientHeight() const {
  int height = 0;
  SDL_GetWindowSize(state_->window, nullptr, &height);
  return height;
}

void SdlWindow::present(const uint32_t* pixels, int width, int height, int pitchBytes) {
  if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 4) return;
  if (!state_->texture || state_->textureWidth != width || state_->textureHeight != height) {
    if (state_->texture) SDL_DestroyTexture(state_->texture);
    state_->texture = SDL_CreateTexture(state_->renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, width, height);
    state_->textureWidth = state_->texture ? width : 0;
    state_->textureHeight = state_->texture ? height : 0;
    if (!state_->texture) return;
  }
  SDL_UpdateTexture(state_->texture, nullptr, pixels, pitchBytes);
  SDL_RenderClear(state_->renderer);
  SDL_RenderCopy(state_->renderer, state_->texture, nullptr, nullptr);
  SDL_RenderPresent(state_->renderer);
}

Rect SdlWindow::windowRect() const {
  int x = 0, y = 0, top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowPosition(state_->window, &x, &y);
  SDL_GetWindowBordersSize(state_->window, &top, &left, &bottom, &right);
  return Rect{x - left, y - top, x + clientWidth() + right, y + clientHeight() + bottom};
}

void SdlWindow::setWindowPlacement(int x, int y, int width, int height) {
  int top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowBordersSize(state_->window, &top, &left, &bottom, &right);
  SDL_SetWindowPosition(state_->window, x + left, y + top);
  SDL_SetWindowSize(state_->window, width - left - right > 0 ? width - left - right : 1,
                    height - top - bottom > 0 ? height - top - bottom : 1);
  SDL_ShowWindow(state_->window);
}

int32_t SdlWindow::style() const { return state_->style; }

void SdlWindow::setStyle(int32_t style) {
  state_->style = style;
  SDL_SetWindowBordered(state_->window, (style & styleCaption) ? SDL_TRUE : SDL_FALSE);
  if (style & styleVisible) SDL_ShowWindow(state_->window);
  else SDL_HideWindow(state_->window);
}

std::string SdlWindow::className() const { return state_->className; }

bool SdlWindow::hasFocus() const { return SDL_GetKeyboardFocus() == state_->window; }

bool SdlWindow::isActive() const {
  return (SDL_GetWindowFlags(state_->window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool SdlWindow::isForeground() const { return isActive(); }

Rect SdlWindow::desktopRect() const {
  SDL_Rect bounds{0, 0, 0, 0};
  int display = SDL_GetWindowDisplayIndex(state_->window);
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &bounds) != 0) return clientRect(*this);
  return Rect{0, 0, bounds.w, bounds.h};
}

void SdlWindow::applyCursor(Cursor cursor) {
  if (cursor == Cursor::none) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  if (arrow) SDL_SetCursor(arrow);
  SDL_ShowCursor(SDL_ENABLE);
}

uint32_t SdlWindow::sdlWindowId() const { return SDL_GetWindowID(state_->window); }

void* SdlWindow::sdlWindow() const { return state_->window; }

}  // namespace platform
