#include <cmath>

#include "platform/controls/paint_args.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/picture.hpp"

namespace lumora {

// Nearest-neighbour placeholder until the filtered painter is on main.
void ExecutePaint(Raster& target, const PaintRequest& r) {
  if (r.opcode != 0x00CC0020u) Fail(kErrInvalidCall, "Unsupported raster operation");
  const Raster& src = r.picture->Pixels();
  const auto x0 = static_cast<int64_t>(RoundHalfEven(r.dx));
  const auto y0 = static_cast<int64_t>(RoundHalfEven(r.dy));
  const auto w = static_cast<int64_t>(RoundHalfEven(r.dw));
  const auto h = static_cast<int64_t>(RoundHalfEven(r.dh));
  if (w == 0 || h == 0) return;
  for (int64_t j = 0; j < std::llabs(h); ++j) {
    const int64_t ty = h > 0 ? y0 + j : y0 - 1 - j;
    if (ty < 0 || ty >= target.Height()) continue;
    const double fy = r.sy + (j + 0.5) * r.sh / static_cast<double>(std::llabs(h));
    const auto syi = static_cast<int32_t>(std::floor(fy));
    if (syi < 0 || syi >= src.Height()) continue;
    for (int64_t i = 0; i < std::llabs(w); ++i) {
      const int64_t tx = w > 0 ? x0 + i : x0 - 1 - i;
      if (tx < 0 || tx >= target.Width()) continue;
      const double fx = r.sx + (i + 0.5) * r.sw / static_cast<double>(std::llabs(w));
      const auto sxi = static_cast<int32_t>(std::floor(fx));
      if (sxi < 0 || sxi >= src.Width()) continue;
      target.Set(static_cast<int32_t>(tx), static_cast<int32_t>(ty), src.At(sxi, syi));
    }
  }
}

}  // namespace lumora
