#include "window/sdl_handles.hpp"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace lumora::window {

namespace {

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

SdlVideo::SdlVideo() {
  // Without one SDL may still start a driver whose windows nobody can see
  // or close, and a viewer would wait for ever.
  if (!DisplayAvailable())
    throw std::runtime_error(
        "cannot open a window: no display (DISPLAY or WAYLAND_DISPLAY is not set)");
  // A click that activates a window is also a click in it, as elsewhere.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Frames are drawn in software: hand them to the window system's own
  // framebuffer (X11 shared memory) instead of a GPU texture, unless the
  // user's environment says otherwise.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
}

SdlVideo::~SdlVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}

bool DisplayAvailable() {
  return Named("DISPLAY") || Named("WAYLAND_DISPLAY") || Named("SDL_VIDEODRIVER");
}

}  // namespace lumora::window
