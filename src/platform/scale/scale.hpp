// Filtered scaling of rasters, the drawing behind zooming and PaintPicture:
// area averaging when shrinking, bilinear when enlarging, exact copies at equal
// size and an exact fill where a single source pixel is stretched.
#pragma once

#include <cstdint>

#include "platform/raster.hpp"

namespace lumora {

// How scaled pixels meet the destination: they replace it, are composited
// over it, or are combined with it bit by bit as raster operations do. For the
// bitwise kind, `table` is the operation's truth table (bit 2s + d is the
// result for source bit s and destination bit d); it acts on the colour bits
// and the result is opaque.
struct Compose {
  enum class Kind : uint8_t { Replace, Over, Bitwise };
  Kind kind = Kind::Replace;
  uint8_t table = 0;

  static constexpr Compose Replace() { return {}; }
  static constexpr Compose Over() { return {Kind::Over, 0}; }
  static constexpr Compose Bitwise(uint8_t table) { return {Kind::Bitwise, table}; }
};

// Draws the source rectangle (sx, sy, sw, sh), in source pixels and possibly
// fractional, onto the destination rectangle (dx, dy, dw, dh). A negative size
// names the rectangle that ends at the origin ([dx + dw, dx)) and mirrors it;
// mirroring happens when source and destination signs differ. Only destination
// pixels inside dst whose centres fall inside the source are drawn; the rest
// of dst is left alone.
void ScaleInto(Raster& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Raster& src,
               double sx, double sy, double sw, double sh, Compose compose = Compose::Replace());

// The same drawing made for one part of the destination only: `part` holds the
// destination's pixels from (ox, oy) on, and gets exactly the pixels ScaleInto
// gives them on the whole destination. How a large image is made tile by tile.
void ScaleIntoPart(Raster& part, int32_t ox, int32_t oy, int32_t dx, int32_t dy, int32_t dw,
                   int32_t dh, const Raster& src, double sx, double sy, double sw, double sh,
                   Compose compose = Compose::Replace());

// The whole source scaled to w x h.
Raster ScaleRaster(const Raster& src, int32_t w, int32_t h);

}  // namespace lumora
