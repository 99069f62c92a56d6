// Drawing surface of the renderer: a raster seen through an origin and a clip
// rectangle. Every primitive clips once per call and then runs plain row loops,
// so nested controls draw into sub-canvases at no per-pixel cost.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/color.hpp"
#include "platform/raster.hpp"

namespace lumora {

// A rectangle in pixels: left, top, width, height. Empty when either side <= 0.
struct CanvasRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;

  int32_t Right() const { return x + w; }   // one past the last column
  int32_t Bottom() const { return y + h; }  // one past the last row
  bool IsEmpty() const { return w <= 0 || h <= 0; }
  CanvasRect Offset(int32_t dx, int32_t dy) const { return {x + dx, y + dy, w, h}; }
  // Shrunk by n pixels on every side (grown for negative n).
  CanvasRect Inset(int32_t n) const { return {x + n, y + n, w - 2 * n, h - 2 * n}; }
  bool Contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < Right() && py < Bottom();
  }
  bool operator==(const CanvasRect&) const = default;
};

CanvasRect Intersect(const CanvasRect& a, const CanvasRect& b);
// Removes `hole` from a set of disjoint rectangles, keeping them disjoint
// (each loses at most four pieces: above, below, left and right of the hole).
void Subtract(std::vector<CanvasRect>& parts, const CanvasRect& hole);

class Canvas {
 public:
  // The whole raster, origin at its top-left pixel.
  explicit Canvas(Raster& target);

  // A canvas whose origin is the top-left of r (in this canvas's coordinates)
  // and whose clip is this clip cut down to r: how a child control draws.
  Canvas Within(const CanvasRect& r) const;
  // The same origin with the clip cut down to r.
  Canvas ClippedTo(const CanvasRect& r) const;

  // The visible part, in this canvas's coordinates.
  CanvasRect Clip() const { return m_Clip.Offset(-m_OriginX, -m_OriginY); }
  bool IsClippedOut() const { return m_Clip.IsEmpty(); }
  Raster& Target() const { return *m_Target; }
  int32_t OriginX() const { return m_OriginX; }
  int32_t OriginY() const { return m_OriginY; }

  // Opaque colours replace the pixels; translucent (premultiplied) ones are
  // composited over them.
  void FillRect(const CanvasRect& r, Argb color);
  void SetPixel(int32_t x, int32_t y, Argb color);
  // Lines include both end points.
  void HLine(int32_t x0, int32_t x1, int32_t y, Argb color);
  void VLine(int32_t x, int32_t y0, int32_t y1, Argb color);
  void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Argb color);
  // One-pixel outline just inside r.
  void FrameRect(const CanvasRect& r, Argb color);
  // Dotted outline just inside r, every other pixel inverted, so it shows on
  // any background and drawing it twice restores the pixels.
  void FocusRect(const CanvasRect& r);

  // Copies src's pixels (part `from` of src) with their top-left at (x, y),
  // ignoring alpha: for opaque images such as persistent images.
  void CopyFrom(const Raster& src, const CanvasRect& from, int32_t x, int32_t y);
  void CopyFrom(const Raster& src, int32_t x, int32_t y);
  // Composites src (premultiplied) over the canvas.
  void BlendFrom(const Raster& src, const CanvasRect& from, int32_t x, int32_t y);
  void BlendFrom(const Raster& src, int32_t x, int32_t y);

  // Composites a coverage mask (0..255, `stride` bytes per row) tinted with an
  // opaque colour, its top-left at (x, y): how glyphs are drawn.
  void BlendMask(const uint8_t* mask, int32_t width, int32_t height, int32_t stride, int32_t x,
                 int32_t y, Argb color);

 private:
  Canvas(Raster* target, int32_t ox, int32_t oy, CanvasRect clip)
      : m_Target(target), m_OriginX(ox), m_OriginY(oy), m_Clip(clip) {}
  // r in local coordinates, converted to raster coordinates and clipped.
  CanvasRect ToTarget(const CanvasRect& r) const;

  Raster* m_Target;
  int32_t m_OriginX = 0;
  int32_t m_OriginY = 0;
  CanvasRect m_Clip;  // raster coordinates, always inside the raster
};

// Pixel arithmetic on premultiplied 0xAARRGGBB values, exact and deterministic.
inline uint32_t ByteScale(uint32_t value, uint32_t factor) {
  const uint32_t t = value * factor + 128;
  return (t + (t >> 8)) >> 8;
}
// src over dst, both premultiplied.
inline Argb BlendOver(Argb src, Argb dst) {
  const uint32_t a = src >> 24;
  if (a == 255) return src;
  if (a == 0) return dst;
  const uint32_t inv = 255 - a;
  const uint32_t rb = ((dst & 0x00FF00FFu) * inv + 0x00800080u);
  const uint32_t ag = (((dst >> 8) & 0x00FF00FFu) * inv + 0x00800080u);
  const uint32_t rb2 = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  const uint32_t ag2 = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return src + (rb2 | ag2);
}
// An opaque colour scaled by a coverage value: the premultiplied pixel.
inline Argb CoverageTint(Argb color, uint32_t coverage) {
  const uint32_t rb = (color & 0x00FF00FFu) * coverage + 0x00800080u;
  const uint32_t ag = ((color >> 8) & 0x00FF00FFu) * coverage + 0x00800080u;
  return (((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu) |
         ((ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u);
}

}  // namespace lumora
