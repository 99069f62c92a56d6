#include "platform/scale/scale.hpp"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/scale/scale_kernels.hpp"

namespace lumora {

namespace {

using scale::View;

// One axis: destination pixels [d0, d1) are drawn, and destination coordinate
// X shows source coordinate a * X + b.
struct Axis {
  int64_t d0 = 0;
  int64_t d1 = 0;
  double a = 1;
  double b = 0;
  double SourceAt(double x) const { return a * x + b; }
  double SourceAt(int64_t x) const { return a * static_cast<double>(x) + b; }
};

int64_t FloorToInt(double v) {
  return static_cast<int64_t>(std::clamp(std::floor(v), -1e15, 1e15));
}
int64_t CeilToInt(double v) {
  return static_cast<int64_t>(std::clamp(std::ceil(v), -1e15, 1e15));
}

// [partLow, partHigh) is the part of the destination being made.
Axis MapAxis(int32_t d, int32_t dn, int64_t partLow, int64_t partHigh, double s, double sn,
             int32_t srcLimit) {
  Axis axis;
  const int64_t n = std::abs(int64_t{dn});
  const int64_t dLow = dn < 0 ? int64_t{d} + dn : d;
  const double m = std::abs(sn);
  const double sLow = sn < 0 ? s + sn : s;
  const bool mirror = (dn < 0) != (sn < 0);
  const double step = m / static_cast<double>(n);
  axis.a = mirror ? -step : step;
  axis.b = mirror ? sLow + m + static_cast<double>(dLow) * step
                  : sLow - static_cast<double>(dLow) * step;
  // Drawn: inside the destination rectangle and dst, and showing a point of
  // the source at the pixel's centre.
  double lo = (0 - axis.b) / axis.a - 0.5;
  double hi = (srcLimit - axis.b) / axis.a - 0.5;
  if (lo > hi) std::swap(lo, hi);
  axis.d0 = std::max({dLow, partLow, FloorToInt(lo)});
  axis.d1 = std::min({dLow + n, partHigh, CeilToInt(hi) + 1});
  auto inside = [&](int64_t x) {
    const double u = axis.SourceAt(static_cast<double>(x) + 0.5);
    return u >= 0 && u < srcLimit;
  };
  while (axis.d0 < axis.d1 && !inside(axis.d0)) ++axis.d0;
  while (axis.d0 < axis.d1 && !inside(axis.d1 - 1)) --axis.d1;
  return axis;
}

bool Valid(double v) {
  return std::isfinite(v) && std::abs(v) < 1e9;
}

using ImagePtr = std::unique_ptr<pixman_image_t, decltype(&pixman_image_unref)>;

ImagePtr Wrap(const uint32_t* data, int32_t stride, int64_t w, int64_t h) {
  // pixman only reads the images used as sources.
  return ImagePtr(
      pixman_image_create_bits(PIXMAN_a8r8g8b8, static_cast<int>(w), static_cast<int>(h),
                               const_cast<uint32_t*>(data), stride * 4),
      &pixman_image_unref);
}

pixman_fixed_t Fixed(double v) {
  return static_cast<pixman_fixed_t>(std::lround(v * 65536.0));
}

// Destination tiles of the pixman pass are at most this many pixels a side,
// which keeps the coordinates pixman sees small and its 16.16 transform
// accurate to about 1/128 pixel across a tile. They lie on a grid of the whole
// destination, so that a part made alone gets the same pixels.
constexpr int64_t kTile = 256;

int64_t NextTileEdge(int64_t at, int64_t end) {
  return std::min(end, (at / kTile + 1) * kTile);
}

// Bilinear enlargement through pixman, where our own loop cannot run: tile by
// tile into a scratch image, whose rows then land in the sink.
void EnlargeWithPixman(const Axis& x, const Axis& y, const Raster& src, scale::RowSink& sink) {
  const View in = scale::ViewOf(src);
  auto span = [](const Axis& axis, int64_t t0, int64_t t1, int32_t limit) {
    const double u0 = axis.SourceAt(t0);
    const double u1 = axis.SourceAt(t1);
    const int64_t lo = std::clamp<int64_t>(FloorToInt(std::min(u0, u1)) - 2, 0, limit - 1);
    const int64_t hi = std::clamp<int64_t>(CeilToInt(std::max(u0, u1)) + 2, lo + 1, limit);
    return std::pair{lo, hi};
  };
  const auto width = static_cast<int64_t>(sink.Width());
  Raster band = Raster::Uninitialized(static_cast<int32_t>(width),
                                      static_cast<int32_t>(std::min(kTile, y.d1 - y.d0)));
  for (int64_t ty = y.d0; ty < y.d1; ty = NextTileEdge(ty, y.d1)) {
    const int64_t th = NextTileEdge(ty, y.d1) - ty;
    const auto [ly0, ly1] = span(y, ty, ty + th, in.height);
    for (int64_t tx = x.d0; tx < x.d1; tx = NextTileEdge(tx, x.d1)) {
      const int64_t tw = NextTileEdge(tx, x.d1) - tx;
      const auto [lx0, lx1] = span(x, tx, tx + tw, in.width);
      ImagePtr from = Wrap(in.Row(ly0) + lx0, in.stride, lx1 - lx0, ly1 - ly0);
      ImagePtr to = Wrap(band.Data() + (tx - x.d0), band.Width(), tw, th);
      pixman_transform_t t;
      pixman_transform_init_identity(&t);
      t.matrix[0][0] = Fixed(x.a);
      t.matrix[0][2] = Fixed(x.SourceAt(tx) - static_cast<double>(lx0));
      t.matrix[1][1] = Fixed(y.a);
      t.matrix[1][2] = Fixed(y.SourceAt(ty) - static_cast<double>(ly0));
      pixman_image_set_transform(from.get(), &t);
      pixman_image_set_repeat(from.get(), PIXMAN_REPEAT_PAD);
      pixman_image_set_filter(from.get(), PIXMAN_FILTER_BILINEAR, nullptr, 0);
      pixman_image_composite32(PIXMAN_OP_SRC, from.get(), nullptr, to.get(), 0, 0, 0, 0, 0, 0,
                               static_cast<int>(tw), static_cast<int>(th));
    }
    for (int64_t r = 0; r < th; ++r) {
      const auto i = static_cast<size_t>(ty - y.d0 + r);
      const uint32_t* row = band.Row(static_cast<int32_t>(r));
      std::copy(row, row + width, sink.Line(i));
      sink.Put(i);
    }
  }
}

// Bilinear enlargement (both axes grow or keep their size).
void Enlarge(const Axis& x, const Axis& y, const Raster& src, scale::RowSink& sink) {
  if (scale::ActiveIsa() < scale::Isa::Ssse3) {
    EnlargeWithPixman(x, y, src, sink);
    return;
  }
  // The loops interpolate between neighbours: a picture one pixel wide or
  // high gets its edge repeated once, which changes no result.
  Raster padded;
  const Raster* from = &src;
  if (src.Width() < 2 || src.Height() < 2) {
    padded = Raster::Uninitialized(std::max(src.Width(), 2), std::max(src.Height(), 2));
    for (int32_t row = 0; row < padded.Height(); ++row)
      for (int32_t col = 0; col < padded.Width(); ++col)
        padded.Set(col, row,
                   src.At(std::min(col, src.Width() - 1), std::min(row, src.Height() - 1)));
    from = &padded;
  }
  const scale::LinearTaps cols = scale::LinearTapsFor(x.d0, x.d1, x.a, x.b, from->Width());
  const scale::LinearTaps rows = scale::LinearTapsFor(y.d0, y.d1, y.a, y.b, from->Height());
  scale::Bilinear(scale::ViewOf(*from), cols, rows, sink);
}

// The resampler averages up to this many samples per output exactly; larger
// factors are first brought below it by exact halvings, which keeps its integer
// weights precise. (Halving earlier costs more than it saves: the resampler
// reads each source pixel once, while a halving writes a new image.)
constexpr double kMaxDirectFactor = 64;

int Halvings(double factor) {
  int k = 0;
  for (; factor >= kMaxDirectFactor; factor /= 2) ++k;
  return k;
}

// Area-averaging shrink (and linear enlargement of an axis that grows): one
// exact separable resampling, after exact halvings for very large factors.
// Whether the axis shows exactly two whole source pixels per output pixel,
// all inside the source: the source span it reads, or an empty one.
std::pair<int64_t, int64_t> ExactHalving(const Axis& axis, int32_t limit) {
  if (axis.a != 2 || axis.b != std::floor(axis.b)) return {0, 0};
  const int64_t s0 = 2 * axis.d0 + static_cast<int64_t>(axis.b);
  const int64_t s1 = 2 * axis.d1 + static_cast<int64_t>(axis.b);
  if (s0 < 0 || s1 > limit) return {0, 0};
  return {s0, s1};
}

void Shrink(const Axis& x, const Axis& y, const Raster& src, scale::RowSink& sink) {
  const auto [hx0, hx1] = ExactHalving(x, src.Width());
  const auto [hy0, hy1] = ExactHalving(y, src.Height());
  if (hx1 > hx0 && hy1 > hy0) {
    const View region{src.Row(static_cast<int32_t>(hy0)) + hx0, src.Width(),
                      static_cast<int32_t>(hx1 - hx0), static_cast<int32_t>(hy1 - hy0)};
    scale::HalveInto(region, sink, static_cast<size_t>(y.d1 - y.d0));
    return;
  }
  const int kx = Halvings(std::abs(x.a));
  const int ky = Halvings(std::abs(y.a));
  View level = scale::ViewOf(src);
  double ax = x.a, bx = x.b, ay = y.a, by = y.b;
  Raster halved;
  if (kx > 0 || ky > 0) {
    // Only the region the drawing reads, with a margin for the final filter.
    auto region = [](const Axis& axis, int k, int32_t limit) {
      const double u0 = axis.SourceAt(axis.d0), u1 = axis.SourceAt(axis.d1);
      const int64_t margin = int64_t{2} << k;
      // Aligned to the halvings' grid, so that clipping never shifts the averages.
      int64_t lo = std::clamp<int64_t>(FloorToInt(std::min(u0, u1)) - margin, 0, limit - 1);
      lo &= ~((int64_t{1} << k) - 1);
      const int64_t hi = std::clamp<int64_t>(CeilToInt(std::max(u0, u1)) + margin, lo + 1, limit);
      return std::pair{lo, hi};
    };
    const auto [rx0, rx1] = region(x, kx, src.Width());
    const auto [ry0, ry1] = region(y, ky, src.Height());
    level = View{src.Row(static_cast<int32_t>(ry0)) + rx0, src.Width(),
                 static_cast<int32_t>(rx1 - rx0), static_cast<int32_t>(ry1 - ry0)};
    bx -= static_cast<double>(rx0);
    by -= static_cast<double>(ry0);
    for (int i = 0; i < std::max(kx, ky); ++i) {
      halved = scale::Halve(level, i < kx, i < ky, i);
      level = scale::ViewOf(halved);
      if (i < kx) ax /= 2, bx /= 2;
      if (i < ky) ay /= 2, by /= 2;
    }
  }
  const scale::Taps cols = scale::AreaTaps(x.d0, x.d1, ax, bx, level.width);
  const scale::Taps rows = scale::AreaTaps(y.d0, y.d1, ay, by, level.height);
  scale::Resample(level, cols, rows, sink);
}

// Fills the drawn part of the destination with one pixel.
void Fill(Argb p, scale::RowSink& sink, size_t rows) {
  for (size_t i = 0; i < rows; ++i) {
    uint32_t* line = sink.Line(i);
    std::fill(line, line + sink.Width(), p);
    sink.Put(i);
  }
}

// Whether [s, s + n) (n may be negative) lies within one pixel.
bool WithinOnePixel(double s, double n) {
  const double lo = std::min(s, s + n);
  return std::floor(lo) == std::ceil(lo + std::abs(n)) - 1;
}

}  // namespace

void ScaleInto(Raster& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Raster& src,
               double sx, double sy, double sw, double sh, Compose compose) {
  ScaleIntoPart(dst, 0, 0, dx, dy, dw, dh, src, sx, sy, sw, sh, compose);
}

void ScaleIntoPart(Raster& part, int32_t ox, int32_t oy, int32_t dx, int32_t dy, int32_t dw,
                   int32_t dh, const Raster& src, double sx, double sy, double sw, double sh,
                   Compose compose) {
  if (part.IsEmpty() || src.IsEmpty() || dw == 0 || dh == 0) return;
  if (!Valid(sx) || !Valid(sy) || !Valid(sw) || !Valid(sh) || sw == 0 || sh == 0) return;
  // Destination coordinates stay those of the whole image, so that every
  // pixel's source footprint, and with it its value, is the same.
  const Axis x = MapAxis(dx, dw, ox, int64_t{ox} + part.Width(), sx, sw, src.Width());
  const Axis y = MapAxis(dy, dh, oy, int64_t{oy} + part.Height(), sy, sh, src.Height());
  if (x.d0 >= x.d1 || y.d0 >= y.d1) return;

  const auto rows = static_cast<size_t>(y.d1 - y.d0);
  scale::RowSink sink(part, x.d0 - ox, y.d0 - oy, static_cast<size_t>(x.d1 - x.d0), rows, compose);
  if (WithinOnePixel(sx, sw) && WithinOnePixel(sy, sh)) {
    const auto px = static_cast<int32_t>(std::floor(x.SourceAt(static_cast<double>(x.d0) + 0.5)));
    const auto py = static_cast<int32_t>(std::floor(y.SourceAt(static_cast<double>(y.d0) + 0.5)));
    Fill(src.At(px, py), sink, rows);
  } else if (std::abs(x.a) <= 1 && std::abs(y.a) <= 1) {
    Enlarge(x, y, src, sink);
  } else {
    Shrink(x, y, src, sink);
  }
}

Raster ScaleRaster(const Raster& src, int32_t w, int32_t h) {
  if (src.IsEmpty()) return Raster(w, h, 0);
  // The whole source onto the whole image draws every pixel.
  Raster out = Raster::Uninitialized(w, h);
  ScaleInto(out, 0, 0, w, h, src, 0, 0, src.Width(), src.Height());
  return out;
}

}  // namespace lumora
