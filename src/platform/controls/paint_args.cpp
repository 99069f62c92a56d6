#include "platform/controls/paint_args.hpp"

#include <cmath>

#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

constexpr uint32_t kOpSourceCopy = 0x00CC0020u;

double Number(const Variant& v, double fallback) {
  return v.IsMissing() ? fallback : v.ToDouble();
}

}  // namespace

PaintRequest ResolvePaint(const ScaleMapping& scale, const Variant& picture, const Variant& x1,
                          const Variant& y1, const Variant& width1, const Variant& height1,
                          const Variant& x2, const Variant& y2, const Variant& width2,
                          const Variant& height2, const Variant& opcode) {
  PaintRequest r;
  if (picture.IsMissing() || x1.IsMissing() || y1.IsMissing())
    Fail(kErrInvalidCall, "PaintPicture needs a picture and a destination point");
  r.picture = picture.ToPicture();
  if (!r.picture) Fail(kErrNoObject);
  if (r.picture->Handle() == 0) Fail(kErrInvalidPicture);
  const double pw = r.picture->PixelWidth();
  const double ph = r.picture->PixelHeight();
  r.dx = (x1.ToDouble() - scale.scaleLeft) / scale.unitsPerPixelX;
  r.dy = (y1.ToDouble() - scale.scaleTop) / scale.unitsPerPixelY;
  r.dw = width1.IsMissing() ? pw : width1.ToDouble() / scale.unitsPerPixelX;
  r.dh = height1.IsMissing() ? ph : height1.ToDouble() / scale.unitsPerPixelY;
  r.sx = Number(x2, 0) / scale.unitsPerPixelX;
  r.sy = Number(y2, 0) / scale.unitsPerPixelY;
  r.sw = width2.IsMissing() ? pw - r.sx : width2.ToDouble() / scale.unitsPerPixelX;
  r.sh = height2.IsMissing() ? ph - r.sy : height2.ToDouble() / scale.unitsPerPixelY;
  r.opcode = opcode.IsMissing() ? kOpSourceCopy : static_cast<uint32_t>(opcode.ToInt32());
  for (double v : {r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh})
    if (!std::isfinite(v)) Fail(kErrInvalidCall);
  return r;
}

}  // namespace lumora
