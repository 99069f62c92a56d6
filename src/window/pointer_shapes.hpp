// The pointer a window shows: the runtime's pointer shapes as the window
// system's cursors, and custom pointers (MouseIcon pictures) as colour
// cursors, made once per picture and kept while the picture is in use.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/services.hpp"
#include "window/sdl_handles.hpp"

namespace lumora::window {

// The system cursor closest to a runtime pointer shape (0..15; others arrow).
SDL_SystemCursor SystemCursorFor(int16_t pointer);

class PointerShapes {
 public:
  // Shows the pointer: a system cursor, or the icon of a custom pointer with
  // its hot spot in the middle (a custom pointer without icon shows the arrow).
  // Does nothing when the same pointer is already shown.
  void Show(const ShownPointer& pointer);
  // What Show last set: the shape and, for custom pointers, the picture.
  const ShownPointer& Current() const { return m_Current; }

 private:
  SDL_Cursor* System(SDL_SystemCursor id);
  SDL_Cursor* Custom(const PicturePtr& icon);

  std::array<CursorHandle, SDL_NUM_SYSTEM_CURSORS> m_System;
  PicturePtr m_CustomPicture;  // the picture m_Custom was made from
  CursorHandle m_Custom;
  ShownPointer m_Current;
  bool m_Set = false;
};

}  // namespace lumora::window
