#include "platform/render/borders.hpp"

namespace lumora {

Argb ArgbOf(OleColor color) {
  return ToArgb(ResolveColor(color));
}

namespace {
// One ring: top and left in `light`, bottom and right (with the top-right and
// bottom-left corner pixels) in `dark`.
CanvasRect Ring(Canvas& canvas, const CanvasRect& r, Argb light, Argb dark) {
  if (r.IsEmpty()) return r;
  canvas.HLine(r.x, r.Right() - 2, r.y, light);
  canvas.VLine(r.x, r.y, r.Bottom() - 2, light);
  canvas.HLine(r.x, r.Right() - 1, r.Bottom() - 1, dark);
  canvas.VLine(r.Right() - 1, r.y, r.Bottom() - 1, dark);
  return r.Inset(1);
}
}  // namespace

CanvasRect DrawEdge(Canvas& canvas, const CanvasRect& r, Edge edge) {
  const Argb light = ArgbOf(kSysButtonLight);
  const Argb highlight = ArgbOf(kSysButtonHighlight);
  const Argb shadow = ArgbOf(kSysButtonShadow);
  const Argb dark = ArgbOf(kSysButtonDarkShadow);
  switch (edge) {
    case Edge::Raised: return Ring(canvas, Ring(canvas, r, light, dark), highlight, shadow);
    case Edge::Sunken: return Ring(canvas, Ring(canvas, r, shadow, highlight), dark, light);
    case Edge::RaisedSingle: return Ring(canvas, r, highlight, shadow);
    case Edge::SunkenSingle: return Ring(canvas, r, shadow, highlight);
    case Edge::Pressed: return DrawFlatBorder(canvas, DrawFlatBorder(canvas, r, dark), shadow);
  }
  return r;
}

CanvasRect DrawFlatBorder(Canvas& canvas, const CanvasRect& r, Argb color, int32_t width) {
  CanvasRect inner = r;
  for (int32_t i = 0; i < width && !inner.IsEmpty(); ++i) {
    canvas.FrameRect(inner, color);
    inner = inner.Inset(1);
  }
  return inner;
}

}  // namespace lumora
