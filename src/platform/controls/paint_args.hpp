// The ten arguments of PaintPicture as a surface receives them (Variants in
// its scale, Missing for left-out ones), resolved to a draw in pixels.
#pragma once

#include <cstdint>

#include "platform/controls/control.hpp"
#include "platform/persistent_image.hpp"
#include "platform/raster.hpp"

namespace lumora {

class Picture;

// A resolved draw: destination and source rectangles in pixels (negative
// sizes mirror) and the raster operation.
struct PaintRequest {
  PicturePtr picture;
  double dx = 0, dy = 0, dw = 0, dh = 0;
  double sx = 0, sy = 0, sw = 0, sh = 0;
  uint32_t opcode = 0;
};

// Resolves the arguments against a surface whose scale maps as `scale` (with
// scaleLeft/Top at pixel 0). Left-out sizes default to the picture's natural
// size; left-out source origin to 0,0; left-out source size to the rest of
// the picture. Errors: 91 no picture (Nothing), 481 empty picture, 13 or 6
// for arguments that are no numbers.
PaintRequest ResolvePaint(const ScaleMapping& scale, const Variant& picture, const Variant& x1,
                          const Variant& y1, const Variant& width1, const Variant& height1,
                          const Variant& x2, const Variant& y2, const Variant& width2,
                          const Variant& height2, const Variant& opcode);

// A resolved request as ScaleInto's arguments, the form a persistent image
// records. Opcodes: source copy, and, paint (or), invert (xor); any other:
// error 5.
PersistentImage::Draw DrawFor(const PaintRequest& request);

// Draws a resolved request onto a raster, scaled with filtering (exact at
// equal size). Errors as DrawFor.
void ExecutePaint(Raster& target, const PaintRequest& request);

}  // namespace lumora
