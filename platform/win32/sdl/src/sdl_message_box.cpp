// Message boxes through SDL, owned by the SDL window when one is given.
#include <SDL.h>

#include <cstdio>

#include "platform/messages.h"
#include "platform/sdl_window.h"

namespace platform {

namespace {

uint32_t sdlFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::error: return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::warning: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::information:
    case MessageIcon::none: break;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

void showThroughSdl(const MessageBoxRequest& request) {
  auto* owner = dynamic_cast<SdlWindow*>(request.owner);
  SDL_Window* parent = owner ? static_cast<SDL_Window*>(owner->sdlWindow()) : nullptr;
  if (SDL_ShowSimpleMessageBox(sdlFlags(request.icon), request.caption.c_str(),
                               request.text.c_str(), parent) != 0)
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
}

}  // namespace

void installSdlMessageBoxes() { setMessageBoxPresenter(showThroughSdl); }

}  // namespace platform
