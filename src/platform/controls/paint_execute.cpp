#include <cmath>

#include "platform/controls/paint_args.hpp"
#include "platform/errors.hpp"
#include "platform/gdi.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"
#include "platform/scale/scale.hpp"

namespace lumora {

namespace {

// The raster operations PaintPicture accepts, as truth tables of (source,
// destination) bits: index 2s + d.
Compose ComposeFor(uint32_t opcode) {
  switch (opcode) {
    case kSrcCopy: return Compose::Replace();
    case kSrcAnd: return Compose::Bitwise(0b1000);
    case kSrcPaint: return Compose::Bitwise(0b1110);
    case kSrcInvert: return Compose::Bitwise(0b0110);
    default: Fail(kErrInvalidCall, "PaintPicture: unsupported raster operation");
  }
}

int32_t Pixels(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(std::abs(rounded) < 1e9)) Fail(kErrOverflow);
  return static_cast<int32_t>(rounded);
}

}  // namespace

PersistentImage::Draw DrawFor(const PaintRequest& r) {
  const Compose compose = ComposeFor(r.opcode);
  return {r.picture, Pixels(r.dx), Pixels(r.dy), Pixels(r.dw), Pixels(r.dh),
          r.sx,      r.sy,         r.sw,         r.sh,         compose};
}

void ExecutePaint(Raster& target, const PaintRequest& r) {
  const PersistentImage::Draw d = DrawFor(r);
  ScaleInto(target, d.dx, d.dy, d.dw, d.dh, d.picture->Pixels(), d.sx, d.sy, d.sw, d.sh, d.compose);
}

}  // namespace lumora
