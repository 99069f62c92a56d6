// Shared pieces of the renderer's tests: forms on a fresh thread state,
// pictures made in code, and pixel probes.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/canvas.hpp"
#include "support/fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {

// The fixture base unloads every form the test made.
class RenderFormTest : public testing::LumoraTest {
 protected:
  std::shared_ptr<Form> NewForm(int32_t width, int32_t height) {
    return Form::Create("Form" + std::to_string(m_Count++), width, height);
  }
  int m_Count = 0;
};

// A picture of a few coloured bands and a diagonal, for golden frames.
inline PicturePtr BandsPicture(int32_t w, int32_t h) {
  Raster r(w, h);
  const Argb bands[] = {0xFFE04040u, 0xFF40A040u, 0xFF4060E0u, 0xFFF0D020u};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.Set(x, y, x * h == y * w ? 0xFF000000u : bands[(y * 4) / h]);
  return Picture::FromRaster(std::move(r));
}

// A pixel expected at x, y.
struct Probe {
  int32_t x, y;
  Argb color;
};

inline void ExpectPixels(const Raster& frame, std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(frame.At(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
}

// Number of pixels in r (clipped to the frame) equal to `color`.
inline int32_t CountOf(const Raster& frame, const CanvasRect& r, Argb color) {
  const CanvasRect c = Intersect(r, {0, 0, frame.Width(), frame.Height()});
  int32_t n = 0;
  for (int32_t y = c.y; y < c.Bottom(); ++y)
    for (int32_t x = c.x; x < c.Right(); ++x) n += frame.At(x, y) == color;
  return n;
}

}  // namespace lumora
