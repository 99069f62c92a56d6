// Conversions between the control runtime's rectangles and the canvas's.
#pragma once

#include "platform/controls/control.hpp"
#include "platform/render/canvas.hpp"

namespace lumora {

inline CanvasRect ToCanvasRect(const PixelRect& r) {
  return {r.left, r.top, r.width, r.height};
}

// A control's outer rectangle in its own painter's coordinates (0, 0, w, h).
inline CanvasRect OuterRect(const Control& control) {
  const PixelRect r = control.FormRect();
  return {0, 0, r.width, r.height};
}

// A container's client area in the painter's coordinates of the control it is.
inline CanvasRect ClientRect(const Control& control, const Container& container) {
  const PixelRect outer = control.FormRect();
  const PixelRect client = container.ClientFormRect();
  return {client.left - outer.left, client.top - outer.top, client.width, client.height};
}

}  // namespace lumora
