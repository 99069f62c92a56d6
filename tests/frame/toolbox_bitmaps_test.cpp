#include "frame/toolbox_bitmaps.hpp"

#include <gtest/gtest.h>

#include <set>

#include "frame/type_library.hpp"
#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + i);
  return v;
}

// Reads the resource back as a host would, independently of the writer.
Raster DecodeResource(const std::vector<uint8_t>& b) {
  EXPECT_EQ(Le(b, 0, 4), 40u);
  const int32_t w = static_cast<int32_t>(Le(b, 4, 4));
  const int32_t h = static_cast<int32_t>(Le(b, 8, 4));
  EXPECT_EQ(Le(b, 12, 2), 1u);
  EXPECT_EQ(Le(b, 14, 2), 24u);
  EXPECT_EQ(Le(b, 16, 4), 0u);
  const size_t row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  EXPECT_EQ(b.size(), 40 + row * h);
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const size_t at = 40 + row * (h - 1 - y) + 3 * x;
      r.Set(x, y,
            0xFF000000u | (uint32_t{b.at(at + 2)} << 16) | (uint32_t{b[at + 1]} << 8) | b[at]);
    }
  return r;
}

TEST(ToolboxBitmaps, EachClassHasA16By15TwentyFourBitBitmap) {
  for (const ClassInfo& c : TypeLibrary().classes) {
    SCOPED_TRACE(c.name);
    const Raster r = ToolboxRaster(c.toolboxBitmap);
    EXPECT_EQ(r.Width(), 16);
    EXPECT_EQ(r.Height(), 15);
    EXPECT_EQ(DecodeResource(ToolboxBitmapResource(c.toolboxBitmap)), r);
    std::set<Argb> colours;
    for (int32_t y = 0; y < r.Height(); ++y)
      for (int32_t x = 0; x < r.Width(); ++x) {
        EXPECT_EQ(r.At(x, y) >> 24, 0xFFu);  // opaque: the format has no alpha
        colours.insert(r.At(x, y));
      }
    EXPECT_GE(colours.size(), 5u);  // a drawing, not a blank
  }
  EXPECT_NE(ToolboxRaster(30000), ToolboxRaster(30001));
}

TEST(ToolboxBitmaps, ThePicturesShowWhatTheClassesDo) {
  const Raster zoom = ToolboxRaster(30000);
  // The lens ring is dark all round its centre, the lens itself light.
  for (auto [x, y] : {std::pair{6, 8}, {13, 8}, {9, 5}, {9, 12}})
    EXPECT_EQ(zoom.At(x, y), 0xFF000000u) << x << "," << y;
  EXPECT_GT(zoom.At(10, 9) & 0xFF, 0xC0u);
  const Raster container = ToolboxRaster(30001);
  // The thumb sits in the bar at the right edge, between the two buttons.
  EXPECT_EQ(container.At(12, 6), 0xFF404040u);
  EXPECT_NE(container.At(12, 10), 0xFF404040u);
  EXPECT_EQ(container.At(12, 2), 0xFF000000u);  // an arrow on the up button
}

TEST(ToolboxBitmaps, AnUnknownResourceFails) {
  const Failure f = FailureOf([] { ToolboxRaster(30002); });
  EXPECT_EQ(f.Number(), 326);
  EXPECT_NE(f.Description().find("30002"), std::string::npos);
  EXPECT_THROW(ToolboxBitmapResource(0), Failure);
}

}  // namespace
}  // namespace lumora
