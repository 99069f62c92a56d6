#include "window/pointer_shapes.hpp"

#include "platform/controls/control.hpp"
#include "platform/picture/picture.hpp"

namespace lumora::window {

SDL_SystemCursor SystemCursorFor(int16_t pointer) {
  switch (pointer) {
    case kPointerCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case kPointerIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case kPointerSize:
    case kPointerSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case kPointerSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case kPointerSizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case kPointerSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case kPointerSizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case kPointerHourglass: return SDL_SYSTEM_CURSOR_WAIT;
    case kPointerNoDrop: return SDL_SYSTEM_CURSOR_NO;
    case kPointerArrowHourglass: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;  // default, arrow, icon, up arrow, question
  }
}

SDL_Cursor* PointerShapes::System(SDL_SystemCursor id) {
  CursorHandle& slot = m_System.at(id);
  if (!slot) slot.reset(SDL_CreateSystemCursor(id));
  return slot.get();
}

SDL_Cursor* PointerShapes::Custom(const PicturePtr& icon) {
  if (icon == m_CustomPicture && m_Custom) return m_Custom.get();
  m_Custom.reset();
  m_CustomPicture = icon;
  const Raster& pixels = icon->Pixels();
  if (pixels.IsEmpty()) return nullptr;
  // Both sides are 0xAARRGGBB words; SDL copies the pixels into the cursor.
  const SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(pixels.Data()), pixels.Width(), pixels.Height(), 32, pixels.Stride(),
      SDL_PIXELFORMAT_ARGB8888));
  if (!surface) return nullptr;
  m_Custom.reset(SDL_CreateColorCursor(surface.get(), pixels.Width() / 2, pixels.Height() / 2));
  return m_Custom.get();
}

void PointerShapes::Show(const ShownPointer& pointer) {
  if (m_Set && pointer.pointer == m_Current.pointer && pointer.icon == m_Current.icon) return;
  SDL_Cursor* cursor = nullptr;
  if (pointer.pointer == kPointerCustom && pointer.icon && pointer.icon->Handle() != 0)
    cursor = Custom(pointer.icon);
  if (!cursor) cursor = System(SystemCursorFor(pointer.pointer));
  if (cursor) SDL_SetCursor(cursor);
  m_Current = pointer;
  m_Set = true;
}

}  // namespace lumora::window
