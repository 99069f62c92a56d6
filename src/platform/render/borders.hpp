// Flat and 3D borders as classic desktop controls draw them, in the system
// palette's button colours. Each returns the rectangle left inside the border.
#pragma once

#include "platform/color.hpp"
#include "platform/render/canvas.hpp"

namespace lumora {

enum class Edge {
  Raised,        // two lines: a button, a raised panel
  Sunken,        // two lines: a text box, a picture box with a 3D border
  RaisedSingle,  // one line: a scroll-bar thumb's inner look, thin panels
  SunkenSingle,  // one line: a check box's inner well on flat forms
  Pressed,       // a held button: dark frame with a shadow frame inside
};

// The pixel an OLE colour stands for (system colours through the palette).
// An invalid colour fails with error 380, as everywhere in the runtime.
Argb ArgbOf(OleColor color);

// The edge drawn just inside r.
CanvasRect DrawEdge(Canvas& canvas, const CanvasRect& r, Edge edge);
// A one-colour frame `width` pixels thick just inside r.
CanvasRect DrawFlatBorder(Canvas& canvas, const CanvasRect& r, Argb color, int32_t width = 1);

}  // namespace lumora
