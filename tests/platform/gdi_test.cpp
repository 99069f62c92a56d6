#include "platform/gdi.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using testing::Columns;
using testing::Coordinates;
using testing::kWhite;

// The width of the surface a handle stands for, or -1 for none.
int32_t WidthOf(Hdc hdc) {
  const Surface* surface = SurfaceOf(hdc);
  return surface ? surface->Width() : -1;
}

TEST(DeviceContext, HandlesAreUniqueAndReleasedWithTheirOwner) {
  Raster a(2, 2);
  Raster b(3, 3);
  Hdc first = 0;
  {
    DeviceContext da(a);
    DeviceContext db(b);
    first = da.Handle();
    EXPECT_NE(da.Handle(), db.Handle());
    EXPECT_EQ(std::pair(WidthOf(da.Handle()), WidthOf(db.Handle())), std::pair(2, 3));
    // Handles belong to their thread.
    Surface* seen = SurfaceOf(da.Handle());
    std::thread([&] { seen = SurfaceOf(da.Handle()); }).join();
    EXPECT_EQ(seen, nullptr);
  }
  EXPECT_EQ(SurfaceOf(first), nullptr);
  EXPECT_EQ(SurfaceOf(0), nullptr);
}

TEST(Pixels, GetAndSetInsideOutsideAndWithBadHandles) {
  Raster r(3, 2, kWhite);
  DeviceContext dc(r);
  const Hdc h = dc.Handle();
  EXPECT_EQ(SetPixel(h, 2, 1, Rgb(64, 64, 64)), Rgb(64, 64, 64));
  EXPECT_EQ(r.At(2, 1), 0xFF404040u);
  // Only the colour bits are set; the flag byte is dropped.
  EXPECT_EQ(SetPixel(h, 1, 1, 0x02123456u), 0x00123456u);
  EXPECT_EQ(GetPixel(h, 1, 1), 0x00123456u);
  const Raster before = r;
  for (auto [hdc, x, y] :
       {std::tuple{h, -1, 0}, {h, 0, -1}, {h, 3, 0}, {h, 0, 2}, {Hdc{0}, 0, 0}, {h + 1000, 0, 0}}) {
    EXPECT_EQ(GetPixel(hdc, x, y), kClrInvalid) << x << "," << y;
    EXPECT_EQ(SetPixel(hdc, x, y, 0), kClrInvalid) << x << "," << y;
  }
  EXPECT_EQ(r, before);
  // Translucent pixels read as the premultiplied colour they show.
  r.Set(0, 0, 0x80400000u);  // half-transparent red 128
  r.Set(1, 0, 0x00000000u);  // transparent
  r.Set(2, 0, 0xFF102030u);
  EXPECT_EQ(std::tuple(GetPixel(h, 0, 0), GetPixel(h, 1, 0), GetPixel(h, 2, 0)),
            std::tuple(Rgb(128, 0, 0), Rgb(0, 0, 0), Rgb(0x10, 0x20, 0x30)));
}

// One StretchBlt from a Coordinates() source onto a white destination.
struct Blt {
  int32_t sourceW, sourceH, destW, destH;
  int32_t x, y, w, h, sx, sy, sw, sh;
  const char* expected;
};

TEST(StretchBlt, ScalesMirrorsAndClipsNearestNeighbour) {
  const Blt cases[] = {
      {3, 1, 6, 1, 0, 0, 6, 1, 0, 0, 3, 1, "aabbcc/"},
      // 3 onto 5: pixel centres 0.3, 0.9, 1.5, 2.1, 2.7 of the source.
      {3, 1, 6, 1, 0, 0, 5, 1, 0, 0, 3, 1, "aabcc./"},
      {6, 2, 6, 1, 1, 0, 3, 1, 0, 1, 6, 1, ".BDF../"},
      // Negative sizes name the rectangle ending at the origin, mirrored;
      // both negative is no mirror.
      {3, 2, 5, 2, 4, 0, -3, 1, 0, 0, 3, 1, ".cba./...../"},
      {3, 2, 5, 2, 3, 0, -3, 1, 3, 0, -3, 1, "abc../...../"},
      {3, 2, 5, 2, 0, 0, 1, 2, 0, 2, 1, -2, "A..../a..../"},
      // Clipped to the destination and to the source, which leaves pixels alone.
      {4, 1, 4, 1, -2, 0, 8, 1, 0, 0, 4, 1, "bbcc/"},
      {4, 1, 4, 1, 0, 0, 4, 1, 2, 0, 4, 1, "cd../"},
      {4, 1, 4, 1, 10, 0, 4, 1, 0, 0, 4, 1, "..../"},
      {4, 1, 4, 1, 0, 0, 4, 1, -9, 0, 4, 1, "..../"},
      {4, 1, 4, 1, INT32_MIN / 2, 0, INT32_MAX, 1, 0, 0, 1, 1, "aaaa/"},  // clipped, not walked
      {2, 2, 2, 2, 0, 0, 0, 2, 0, 0, 2, 2, "../../"},  // nothing to draw is a success
  };
  for (const Blt& c : cases) {
    SCOPED_TRACE(c.expected);
    Raster src = Coordinates(c.sourceW, c.sourceH);
    Raster dst(c.destW, c.destH, kWhite);
    DeviceContext ds(src);
    DeviceContext dd(dst);
    ASSERT_TRUE(
        StretchBlt(dd.Handle(), c.x, c.y, c.w, c.h, ds.Handle(), c.sx, c.sy, c.sw, c.sh, kSrcCopy));
    EXPECT_EQ(Columns(dst), c.expected);
  }
}

}  // namespace
}  // namespace lumora
