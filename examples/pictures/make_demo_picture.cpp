// Draws the demo's picture, a procedural lake landscape at dusk, and writes it
// as a JPEG. Every corner shows something of its own (moon and stars, clouds
// and birds, rocks and a cabin, meadow flowers) so that zooming and jumping
// around it in the demo are easy to follow. Deterministic: running it again
// reproduces the committed file.
//
// Usage: make_demo_picture OUTPUT.jpg [WIDTH HEIGHT [QUALITY]]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

struct Rgb {
  double r = 0, g = 0, b = 0;
};
Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator*(Rgb a, double k) {
  return {a.r * k, a.g * k, a.b * k};
}
Rgb Mix(Rgb a, Rgb b, double t) {
  return a * (1 - t) + b * t;
}
double Clamp01(double x) {
  return std::clamp(x, 0.0, 1.0);
}
double Smooth(double e0, double e1, double x) {
  const double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

uint32_t Hash(int32_t x, int32_t y, uint32_t salt) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               salt * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
double Hash01(int32_t x, int32_t y, uint32_t salt) {
  return (Hash(x, y, salt) & 0xFFFFFF) / 16777216.0;
}

double Noise(double x, double y, uint32_t salt) {
  const double fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = Hash01(ix, iy, salt), b = Hash01(ix + 1, iy, salt);
  const double c = Hash01(ix, iy + 1, salt), d = Hash01(ix + 1, iy + 1, salt);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double Fbm(double x, double y, uint32_t salt, int octaves = 5) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, salt + static_cast<uint32_t>(i) * 101u);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

class Scene {
 public:
  Scene(int w, int h) : m_W(w), m_H(h), m_Aspect(double(w) / h) {}

  // The colour at (u, v), both in [0, 1), v downwards.
  Rgb At(double u, double v) const {
    if (v < kHorizon) return Land(u, v);
    if (v < Shore(u)) return Lake(u, v);
    return Meadow(u, v);
  }

 private:
  static constexpr double kHorizon = 0.62;
  static constexpr double kSunU = 0.68, kSunV = 0.27;

  double Px(double u) const { return u * m_W; }
  double Py(double v) const { return v * m_H; }

  Rgb Sky(double u, double v) const {
    const double t = v / kHorizon;
    const Rgb top{0.03, 0.05, 0.20}, mid{0.36, 0.20, 0.50}, low{1.0, 0.58, 0.30};
    Rgb sky = t < 0.55 ? Mix(top, mid, Smooth(0, 0.55, t)) : Mix(mid, low, Smooth(0.55, 1, t));
    const double du = (u - kSunU) * m_Aspect, dv = v - kSunV;
    const double d = std::sqrt(du * du + dv * dv);
    sky = sky + Rgb{1.0, 0.62, 0.30} * (0.55 * std::exp(-d * 9));
    if (d < 0.045) sky = Mix(sky, Rgb{1.0, 0.93, 0.70}, Smooth(0.045, 0.040, d));
    // Clouds, lit from below by the low sun.
    const double band = Smooth(0.06, 0.16, v) * Smooth(0.48, 0.30, v);
    const double c = Fbm(u * 7 * m_Aspect / 1.33, v * 18, 11) * band;
    const double cloud = Smooth(0.42, 0.62, c);
    const Rgb lit = Mix(Rgb{0.55, 0.30, 0.55}, Rgb{1.0, 0.55, 0.45}, Smooth(0.15, 0.45, v));
    sky = Mix(sky, lit, cloud * 0.85);
    // Stars and a crescent moon in the dark upper left.
    const double dark = Smooth(0.35, 0.05, v) * Smooth(0.75, 0.2, u) * (1 - cloud);
    const auto sx = static_cast<int32_t>(Px(u) / 3), sy = static_cast<int32_t>(Py(v) / 3);
    const double star = Hash01(sx, sy, 7);
    if (star > 0.9965) sky = Mix(sky, Rgb{1, 1, 0.92}, dark * (star - 0.9965) / 0.0035);
    const double mu = (u - 0.11) * m_Aspect, mv = v - 0.12;
    const double md = std::sqrt(mu * mu + mv * mv);
    const double mu2 = (u - 0.122) * m_Aspect, mv2 = v - 0.112;
    const double shadow = std::sqrt(mu2 * mu2 + mv2 * mv2);
    if (md < 0.05 && shadow > 0.043) sky = Mix(sky, Rgb{0.98, 0.96, 0.82}, Smooth(0.05, 0.047, md));
    sky = sky + Rgb{0.5, 0.5, 0.45} * (0.25 * std::exp(-md * 25) * dark);
    // Birds: small chevrons in the upper right.
    for (int i = 0; i < 7; ++i) {
      const double bu = 0.80 + 0.025 * i + 0.01 * Hash01(i, 1, 3),
                   bv = 0.16 + 0.012 * i - 0.05 * Hash01(i, 2, 3);
      const double x = (u - bu) * m_W, y = (v - bv) * m_H;
      if (std::fabs(x) < 9 && std::fabs(y + std::fabs(x) * 0.45 - 2) < 1.1)
        sky = Rgb{0.08, 0.05, 0.12};
    }
    return sky;
  }

  // Ridge line of mountain layer k (0 farthest).
  static double Ridge(int k, double u) {
    static const double base[] = {0.36, 0.44, 0.50, 0.56};
    static const double amp[] = {0.22, 0.16, 0.12, 0.07};
    static const double freq[] = {3.0, 5.0, 7.5, 11.0};
    return base[k] - amp[k] * (Fbm(u * freq[k], k * 17.0, 40 + k, 6) - 0.35);
  }

  Rgb Land(double u, double v) const {
    const Rgb haze = Sky(u, kHorizon - 0.01);
    for (int k = 3; k >= 0; --k) {
      // The nearest layer carries a row of conifers.
      double top = Ridge(k, u);
      if (k == 3) {
        const double spacing = 11.0 / m_W;
        const double cell = std::floor(u / spacing);
        const double f = u / spacing - cell;
        const double height = (14 + 22 * Hash01(static_cast<int32_t>(cell), 5, 9)) / m_H;
        top -= height * std::max(0.0, 1 - std::fabs(f - 0.5) * 2.2);
      }
      if (v < top) continue;
      static const Rgb colour[] = {
          {0.42, 0.36, 0.56}, {0.30, 0.26, 0.45}, {0.18, 0.20, 0.32}, {0.05, 0.10, 0.10}};
      static const double hazeAmount[] = {0.40, 0.28, 0.14, 0.0};
      Rgb c = colour[k];
      const double slope = (Ridge(k, u + 0.008) - Ridge(k, u - 0.008)) / 0.016;
      // Faces turned to the sun are lit near the ridge; lower down the light evens out.
      const double facing = std::tanh((kSunU - u) * 6);
      const double light = std::clamp(0.5 + slope * facing * 0.9, 0.0, 1.0);
      const double reach = std::exp(-(v - top) * 25);
      c = c * (0.75 + 0.5 * (0.5 + (light - 0.5) * reach));
      const double texture = Fbm(u * m_Aspect * 70, v * 70, 70 + k, 4);
      c = c * (0.85 + 0.3 * texture);
      if (k <= 1) {  // snow on the high peaks
        const double snow = Smooth(0.33, 0.27, v) * Smooth(0.30, 0.50, texture);
        c = Mix(c, Rgb{0.95, 0.86, 0.90} * (0.7 + 0.3 * light), snow);
      }
      return Mix(c, haze, hazeAmount[k] * Smooth(kHorizon, top, v) + hazeAmount[k] * 0.3);
    }
    return Sky(u, v);
  }

  double Shore(double u) const {
    return 0.80 + 0.035 * (Fbm(u * 4, 3, 91, 4) - 0.5) - 0.03 * Smooth(0.5, 0.0, u);
  }

  Rgb Lake(double u, double v) const {
    const double depth = v - kHorizon;
    const double ripple =
        0.0025 * std::sin(Py(v) * 0.9 + 6 * Fbm(u * 30, v * 200, 5, 3)) * Smooth(0, 0.1, depth);
    const double mirrored = std::max(0.0, kHorizon - depth - 0.001);
    Rgb c = Land(u + ripple, mirrored) * 0.72 + Rgb{0.02, 0.10, 0.18} * 0.6;
    // The sun's path of glitter on the water.
    const double path = std::exp(-std::pow((u - kSunU) * m_Aspect / (0.03 + depth * 0.6), 2));
    const double glint = Smooth(0.72, 0.9, Fbm(u * 260, v * 900, 33, 2));
    c = c + Rgb{1.0, 0.75, 0.45} * (path * glint * 0.9);
    return c * (1 - 0.35 * Smooth(0, 0.2, depth));
  }

  Rgb Meadow(double u, double v) const {
    const double x = Px(u), y = Py(v);
    const double t = Smooth(Shore(u), 1.0, v);
    Rgb c = Mix(Rgb{0.10, 0.22, 0.08}, Rgb{0.30, 0.45, 0.12}, t);
    c = c * (0.75 + 0.5 * Fbm(u * 300, v * 60, 12, 4));
    // Rocks and a cabin with a lit window on the left.
    for (int i = 0; i < 6; ++i) {
      const double rx = (0.03 + 0.05 * i + 0.02 * Hash01(i, 0, 21)) * m_W;
      const double ry = (0.90 + 0.07 * Hash01(i, 1, 21)) * m_H;
      const double rr = (18 + 30 * Hash01(i, 2, 21));
      const double dx = (x - rx) / rr, dy = (y - ry) / (rr * 0.6);
      const double d = dx * dx + dy * dy;
      if (d < 1) {
        const double shade =
            0.45 + 0.4 * Clamp01(0.6 - dx * 0.5 - dy * 0.6) + 0.15 * Noise(x / 4, y / 4, 8);
        c = Rgb{0.55, 0.52, 0.50} * shade;
      }
    }
    const double cx = 0.20 * m_W, cy = (Shore(0.20) + 0.05) * m_H;
    if (x > cx - 46 && x < cx + 46 && y > cy - 40 && y < cy + 24) {
      c = (static_cast<int>(y) % 8 < 1) ? Rgb{0.22, 0.12, 0.06} : Rgb{0.45, 0.27, 0.14};
      if (x > cx - 14 && x < cx + 14 && y > cy - 26 && y < cy - 6) c = Rgb{1.0, 0.82, 0.40};
    }
    if (y <= cy - 40 && y > cy - 40 - (52 - std::fabs(x - cx))) c = Rgb{0.35, 0.10, 0.08};
    // Flowers, denser towards the bottom right.
    const int32_t gx = static_cast<int32_t>(x / 14), gy = static_cast<int32_t>(y / 14);
    for (int oy = -1; oy <= 1; ++oy)
      for (int ox = -1; ox <= 1; ++ox) {
        const int32_t cxg = gx + ox, cyg = gy + oy;
        const double density = 0.15 + 0.7 * Smooth(0.3, 1.0, u) * t;
        if (Hash01(cxg, cyg, 50) > density) continue;
        const double fx = (cxg + Hash01(cxg, cyg, 51)) * 14, fy = (cyg + Hash01(cxg, cyg, 52)) * 14;
        const double r = 2 + 3 * Hash01(cxg, cyg, 53) * (0.5 + t);
        const double d = std::hypot(x - fx, y - fy);
        if (d > r) continue;
        static const Rgb palette[] = {{0.95, 0.20, 0.25},
                                      {1.0, 0.85, 0.15},
                                      {0.65, 0.35, 0.90},
                                      {0.98, 0.98, 0.95},
                                      {1.0, 0.50, 0.10}};
        const Rgb petal = palette[Hash(cxg, cyg, 54) % 5];
        c = d < r * 0.35 ? Rgb{0.95, 0.75, 0.10} : petal * (0.8 + 0.2 * (1 - d / r));
      }
    return c;
  }

  int m_W, m_H;
  double m_Aspect;
};

uint8_t ToByte(double x) {
  return static_cast<uint8_t>(std::lround(std::pow(Clamp01(x), 1 / 1.1) * 255));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: make_demo_picture OUTPUT.jpg [WIDTH HEIGHT [QUALITY]]\n");
    return 2;
  }
  const int w = argc >= 4 ? std::atoi(argv[2]) : 2000;
  const int h = argc >= 4 ? std::atoi(argv[3]) : 1500;
  const int quality = argc == 5 ? std::atoi(argv[4]) : 88;
  if (w < 16 || h < 16 || w > 10000 || h > 10000 || quality < 10 || quality > 100) {
    std::fprintf(stderr, "make_demo_picture: size 16..10000, quality 10..100\n");
    return 2;
  }
  const Scene scene(w, h);
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 3);
  constexpr int kSamples = 2;  // per axis
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgb sum;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          sum = sum + scene.At((x + (sx + 0.5) / kSamples) / w, (y + (sy + 0.5) / kSamples) / h);
      sum = sum * (1.0 / (kSamples * kSamples));
      uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = ToByte(sum.r);
      p[1] = ToByte(sum.g);
      p[2] = ToByte(sum.b);
    }

  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(argv[1], "wb"), std::fclose);
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file.get());
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &pixels[static_cast<size_t>(cinfo.next_scanline) * w * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 0;
}
