#include "platform/paint.hpp"

#include <cmath>

#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/scale/scale.hpp"

namespace lumora {

namespace {

// The compositing a raster operation stands for. Bits 16 to 23 of a raster
// operation code are its truth table over pattern, source and destination;
// the operations accepted here ignore the pattern, so the low four bits of
// that byte are the table over source and destination.
Compose ComposeFor(uint32_t opcode) {
  switch (opcode) {
    case kSrcCopy: return Compose::Over();
    case kBlackness:
    case kNotSrcErase:
    case kNotSrcCopy:
    case kSrcErase:
    case kDstInvert:
    case kSrcInvert:
    case kSrcAnd:
    case kMergePaint:
    case kSrcPaint:
    case kWhiteness: return Compose::Bitwise(static_cast<uint8_t>((opcode >> 16) & 0x0F));
    default: Fail(kErrInvalidCall);
  }
}

double Finite(double v) {
  if (!std::isfinite(v)) Fail(kErrOverflow);
  return v;
}

// A destination origin and size in whole pixels, each rounded on its own so
// that a picture drawn at its natural size keeps it.
std::pair<int32_t, int32_t> Edges(double origin, double size) {
  const int32_t from = ToInt32(origin);
  const int32_t extent = ToInt32(size);
  ToInt32(int64_t{from} + extent);  // the far edge must be a pixel position too
  return {from, extent};
}

}  // namespace

void PaintPicture(Raster& dst, const Raster& src, double x1, double y1, std::optional<double> w1,
                  std::optional<double> h1, std::optional<double> x2, std::optional<double> y2,
                  std::optional<double> w2, std::optional<double> h2, uint32_t opcode) {
  const Compose compose = ComposeFor(opcode);
  const double sx = Finite(x2.value_or(0));
  const double sy = Finite(y2.value_or(0));
  const double sw = Finite(w2.value_or(src.Width() - sx));
  const double sh = Finite(h2.value_or(src.Height() - sy));
  const auto [dx, dw] = Edges(x1, Finite(w1.value_or(std::abs(sw))));
  const auto [dy, dh] = Edges(y1, Finite(h1.value_or(std::abs(sh))));
  ScaleInto(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, compose);
}

}  // namespace lumora
