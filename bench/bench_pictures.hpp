// Pictures and measures for benchmarks: a synthetic picture rich in detail
// (gradients, texture, fine stripes, rings, hard edges), an exact area-average
// reduction and an exact bilinear enlargement to judge filtered scaling by,
// and PSNR between two rasters.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/raster.hpp"

namespace lumora::bench {

namespace detail {

inline uint32_t Hash(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x9E3779B1u ^ (y * 0x85EBCA77u + 0x165667B1u);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  return h ^ (h >> 15);
}

// Smooth value noise in [0, 1) with cells of `cell` pixels.
inline double ValueNoise(int32_t x, int32_t y, int32_t cell) {
  const int32_t cx = x / cell;
  const int32_t cy = y / cell;
  const double fx = static_cast<double>(x % cell) / cell;
  const double fy = static_cast<double>(y % cell) / cell;
  auto v = [](uint32_t gx, uint32_t gy) { return (Hash(gx, gy) & 0xFFFF) / 65536.0; };
  const double top = v(cx, cy) + (v(cx + 1, cy) - v(cx, cy)) * fx;
  const double bottom = v(cx, cy + 1) + (v(cx + 1, cy + 1) - v(cx, cy + 1)) * fx;
  return top + (bottom - top) * fy;
}

inline uint8_t Clamp8(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace detail

// An opaque w x h picture like a detailed photograph: a colour gradient with
// two octaves of texture; a band of stripes 1 to 6 pixels wide; a ring pattern
// whose rings narrow to about 3 pixels; hard-edged discs; pixel noise.
inline Raster SyntheticPicture(int32_t w, int32_t h) {
  using detail::Clamp8;
  Raster r(w, h);
  const double cx = w * 0.7, cy = h * 0.35, ringRadius = std::min(w, h) * 0.25;
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* row = r.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const double gx = static_cast<double>(x) / w, gy = static_cast<double>(y) / h;
      const double texture =
          detail::ValueNoise(x, y, 37) * 60 + detail::ValueNoise(x + 9000, y, 7) * 30 - 45;
      double red = 40 + 170 * gx + texture;
      double green = 60 + 140 * gy + texture * 0.8;
      double blue = 200 - 150 * gx * gy + texture * 0.6;
      if (y > h * 0.75 && y < h * 0.85) {  // stripes, period 2 to 12 pixels
        const int32_t period = 2 + 2 * ((x * 6) / w);
        const bool on = (x % period) < period / 2;
        red = green = blue = on ? 230 : 25;
      }
      const double ddx = x - cx, ddy = y - cy;
      const double d2 = ddx * ddx + ddy * ddy;
      if (d2 < ringRadius * ringRadius) {  // rings narrowing outwards
        const double phase = d2 / (ringRadius * 6.0);
        const double v = 128 + 100 * std::cos(phase);
        red = (red + v) / 2;
        green = v;
      }
      for (int disc = 0; disc < 6; ++disc) {  // hard-edged discs
        const double ox = w * (0.1 + 0.13 * disc), oy = h * (0.55 + 0.05 * (disc % 3));
        const double rr = std::min(w, h) * (0.03 + 0.01 * disc);
        if ((x - ox) * (x - ox) + (y - oy) * (y - oy) < rr * rr) {
          red = 255 - 40 * disc;
          green = 30 * disc;
          blue = disc % 2 ? 240 : 10;
        }
      }
      const double grain = static_cast<double>(detail::Hash(x, y) % 17) - 8;
      row[x] = 0xFF000000u | (uint32_t{Clamp8(red + grain)} << 16) |
               (uint32_t{Clamp8(green + grain)} << 8) | Clamp8(blue + grain);
    }
  }
  return r;
}

// The exact area average of the whole source at w x h: every output pixel is
// the mean of the source area it covers, partial pixels weighted by their
// covered fraction, computed in double precision and rounded once.
inline Raster AreaAverage(const Raster& src, int32_t w, int32_t h) {
  struct Tap {
    int32_t index;
    double weight;
  };
  auto taps = [](int32_t from, int32_t to) {
    std::vector<std::vector<Tap>> all(to);
    const double f = static_cast<double>(from) / to;
    for (int32_t i = 0; i < to; ++i) {
      const double a = i * f, b = (i + 1) * f;
      for (auto k = static_cast<int32_t>(std::floor(a)); k < b && k < from; ++k) {
        const double cover = std::min<double>(b, k + 1) - std::max<double>(a, k);
        if (cover > 0) all[i].push_back({k, cover / f});
      }
    }
    return all;
  };
  const auto cols = taps(src.Width(), w);
  const auto rows = taps(src.Height(), h);
  // Horizontal pass into doubles, then vertical.
  std::vector<double> mid(static_cast<size_t>(w) * src.Height() * 4);
  for (int32_t y = 0; y < src.Height(); ++y) {
    const uint32_t* in = src.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      double* m = &mid[(static_cast<size_t>(y) * w + x) * 4];
      for (const Tap& t : cols[x])
        for (int c = 0; c < 4; ++c) m[c] += t.weight * ((in[t.index] >> (8 * c)) & 0xFF);
    }
  }
  Raster out(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      double acc[4] = {0, 0, 0, 0};
      for (const Tap& t : rows[y])
        for (int c = 0; c < 4; ++c)
          acc[c] += t.weight * mid[(static_cast<size_t>(t.index) * w + x) * 4 + c];
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= uint32_t{detail::Clamp8(acc[c])} << (8 * c);
      out.Set(x, y, p);
    }
  }
  return out;
}

// The exact bilinear enlargement of the whole source to w x h: each output
// pixel's centre mapped into the source, its four neighbours (the edge
// repeated beyond it) weighted in double precision and rounded once.
inline Raster BilinearExact(const Raster& src, int32_t w, int32_t h) {
  struct Tap {
    int32_t a, b;
    double f;
  };
  auto taps = [](int32_t from, int32_t to) {
    std::vector<Tap> all(to);
    for (int32_t i = 0; i < to; ++i) {
      const double c = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
      const auto k = static_cast<int32_t>(std::floor(c));
      all[i] = {k, std::min(k + 1, from - 1), c - k};
    }
    return all;
  };
  const auto cols = taps(src.Width(), w);
  const auto rows = taps(src.Height(), h);
  Raster out(w, h);
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* top = src.Row(rows[y].a);
    const uint32_t* bottom = src.Row(rows[y].b);
    const double fy = rows[y].f;
    uint32_t* o = out.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const Tap& t = cols[x];
      uint32_t p = 0;
      for (int c = 0; c < 32; c += 8) {
        auto at = [c](const uint32_t* row, int32_t i) {
          return static_cast<double>((row[i] >> c) & 0xFF);
        };
        const double up = at(top, t.a) + (at(top, t.b) - at(top, t.a)) * t.f;
        const double down = at(bottom, t.a) + (at(bottom, t.b) - at(bottom, t.a)) * t.f;
        p |= uint32_t{detail::Clamp8(up + (down - up) * fy)} << c;
      }
      o[x] = p;
    }
  }
  return out;
}

// Peak signal-to-noise ratio in dB over all four channels; infinity when equal.
inline double Psnr(const Raster& a, const Raster& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return 0;
  double sum = 0;
  const size_t n = static_cast<size_t>(a.Width()) * a.Height();
  for (size_t i = 0; i < n; ++i) {
    for (int c = 0; c < 4; ++c) {
      const double d = static_cast<double>((a.Data()[i] >> (8 * c)) & 0xFF) -
                       static_cast<double>((b.Data()[i] >> (8 * c)) & 0xFF);
      sum += d * d;
    }
  }
  if (sum == 0) return std::numeric_limits<double>::infinity();
  return 10 * std::log10(255.0 * 255.0 / (sum / (4.0 * static_cast<double>(n))));
}

}  // namespace lumora::bench
