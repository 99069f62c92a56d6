// Geometry shared by controls, forms and the renderer: coordinate limits,
// scale modes, pixel rectangles, the mapping of a scale to pixels, and pointer
// input as a control receives it.
#pragma once

#include <cstdint>

namespace lumora {

// Positions and sizes, in twips, lie within this much of zero (about 71
// million pixels): far beyond any screen, and every sum of two of them in
// pixels still fits 32 bits. Others fail with error 380.
constexpr float kCoordinateLimit = 1073741824.0f;  // 2^30

// Scale modes (ScaleMode values).
constexpr int16_t kScaleUser = 0;
constexpr int16_t kScaleTwips = 1;
constexpr int16_t kScalePixels = 3;

// A rectangle in whole pixels.
struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t Right() const { return left + width; }
  int32_t Bottom() const { return top + height; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= left && y >= top && x < Right() && y < Bottom();
  }
  bool operator==(const PixelRect&) const = default;
};
PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// How a container's scale maps to pixels of its client area: the point
// (ScaleLeft, ScaleTop) is the client area's top-left pixel, and one pixel is
// unitsPerPixelX (Y) units.
struct ScaleMapping {
  double scaleLeft = 0;
  double scaleTop = 0;
  double unitsPerPixelX = 1;
  double unitsPerPixelY = 1;
};

// Pointer input as the form hands it to one control: X and Y in the control's
// own scale relative to itself (its client area for controls with a scale of
// their own, else its top-left corner in its container's scale); px and py in
// pixels from the control's outer top-left corner.
struct PointerInput {
  int16_t button = 0;
  int16_t shift = 0;
  float x = 0;
  float y = 0;
  int32_t px = 0;
  int32_t py = 0;
};

}  // namespace lumora
