// Scroll bars: two arrow buttons, the track between them and the thumb, laid
// out by the bar's own geometry.
#include "platform/controls/scroll_bar.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/draw_controls.hpp"
#include "platform/render/geometry.hpp"

namespace lumora {

void DrawArrowGlyph(Canvas& canvas, const CanvasRect& r, ArrowDirection direction, bool enabled) {
  if (r.IsEmpty()) return;
  const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
  // Rows of the triangle along the pointing axis; its base is 2n - 1 wide.
  const int32_t n = std::max(1, std::min((std::min(r.w, r.h) + 3) / 4, 8));
  const int32_t along = vertical ? r.h : r.w;
  const int32_t across = vertical ? r.w : r.h;
  const int32_t start = (along - n) / 2;
  const int32_t centre = (across - 1) / 2;
  auto draw = [&](int32_t dx, int32_t dy, Argb color) {
    for (int32_t i = 0; i < n; ++i) {
      // i counts from the tip.
      const int32_t pos = (direction == ArrowDirection::Up || direction == ArrowDirection::Left)
                              ? start + i
                              : start + n - 1 - i;
      if (vertical) {
        canvas.HLine(r.x + centre - i + dx, r.x + centre + i + dx, r.y + pos + dy, color);
      } else {
        canvas.VLine(r.x + pos + dx, r.y + centre - i + dy, r.y + centre + i + dy, color);
      }
    }
  };
  if (enabled) {
    draw(0, 0, ArgbOf(kSysButtonText));
  } else {
    draw(1, 1, ArgbOf(kSysButtonHighlight));
    draw(0, 0, ArgbOf(kSysGrayText));
  }
}

namespace {
void DrawArrowButton(Canvas& canvas, const CanvasRect& r, ArrowDirection direction, bool enabled,
                     bool pressed) {
  if (r.IsEmpty()) return;
  canvas.FillRect(r, ArgbOf(kSysButtonFace));
  // A held arrow is flat with a shadow frame and its glyph moved by a pixel.
  const CanvasRect inner = pressed ? DrawFlatBorder(canvas, r, ArgbOf(kSysButtonShadow))
                                   : DrawEdge(canvas, r, Edge::Raised);
  DrawArrowGlyph(canvas, pressed ? inner.Offset(1, 1) : inner, direction, enabled);
}
}  // namespace

void DrawScrollBar(Canvas& canvas, const ScrollBar& bar) {
  const ScrollBarGeometry g = bar.Geometry();
  const bool enabled = bar.IsEffectivelyEnabled();
  const bool vertical = bar.IsVertical();
  const ScrollBarPart pressed = enabled ? bar.PressedPart() : ScrollBarPart::None;
  // The whole rectangle first: a bar too short for its arrows still covers it.
  canvas.FillRect(OuterRect(bar), ArgbOf(kSysScrollBar));
  DrawArrowButton(canvas, ToCanvasRect(g.lowArrow),
                  vertical ? ArrowDirection::Up : ArrowDirection::Left, enabled,
                  pressed == ScrollBarPart::LowArrow);
  DrawArrowButton(canvas, ToCanvasRect(g.highArrow),
                  vertical ? ArrowDirection::Down : ArrowDirection::Right, enabled,
                  pressed == ScrollBarPart::HighArrow);
  // A disabled bar shows no thumb.
  const CanvasRect thumb = ToCanvasRect(g.thumb);
  if (enabled && !thumb.IsEmpty()) {
    canvas.FillRect(thumb, ArgbOf(kSysButtonFace));
    DrawEdge(canvas, thumb, Edge::Raised);
  }
}

}  // namespace lumora
