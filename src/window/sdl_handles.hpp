// Owning handles for the SDL objects the presenter uses: the video subsystem,
// windows, surfaces and cursors, each released by SDL's own destroy function.
#pragma once

#include <SDL.h>

#include <memory>

namespace lumora::window {

struct SdlDeleter {
  void operator()(SDL_Window* p) const { SDL_DestroyWindow(p); }
  void operator()(SDL_Surface* p) const { SDL_FreeSurface(p); }
  void operator()(SDL_Cursor* p) const { SDL_FreeCursor(p); }
};

using WindowHandle = std::unique_ptr<SDL_Window, SdlDeleter>;
using SurfaceHandle = std::unique_ptr<SDL_Surface, SdlDeleter>;
using CursorHandle = std::unique_ptr<SDL_Cursor, SdlDeleter>;

// SDL's video subsystem for the lifetime of the object. Construction fails
// with a std::runtime_error naming SDL's reason (no display, for one).
class SdlVideo {
 public:
  SdlVideo();
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;
};

// Whether a window could be opened at all: a display is named in the
// environment (X11 or Wayland) or SDL was told which video driver to use.
bool DisplayAvailable();

}  // namespace lumora::window
