#include "platform/gdi.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace lumora {
namespace {

constexpr Argb kWhite = 0xFFFFFFFFu;

// A w x h raster whose pixel (x, y) is opaque with red x and green y, so every
// pixel says where it came from.
Raster Coordinates(int32_t w, int32_t h) {
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.Set(x, y, ToArgb(Rgb(x, y, 7)));
  return r;
}

// Rows of the raster as text, one letter per pixel: '.' white, otherwise the
// letter 'a' + red channel (source column) for pixels of Coordinates().
std::string Columns(const Raster& r) {
  std::string text;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x) {
      const Argb p = r.At(x, y);
      text += p == kWhite ? '.' : static_cast<char>('a' + RedOf(FromArgb(p)));
    }
    text += '\n';
  }
  return text;
}

TEST(DeviceContext, HandlesAreUniqueAndReleasedWithTheirOwner) {
  Raster a(2, 2);
  Raster b(3, 3);
  Hdc first = 0;
  {
    DeviceContext da(a);
    DeviceContext db(b);
    first = da.Handle();
    EXPECT_NE(da.Handle(), 0u);
    EXPECT_NE(da.Handle(), db.Handle());
    EXPECT_EQ(SurfaceOf(da.Handle()), &a);
    EXPECT_EQ(SurfaceOf(db.Handle()), &b);
  }
  EXPECT_EQ(SurfaceOf(first), nullptr);
  EXPECT_EQ(SurfaceOf(0), nullptr);
  EXPECT_EQ(DeviceContext().Handle(), 0u);
}

TEST(DeviceContext, MovesKeepTheHandleAndAssignmentReleasesTheOldOne) {
  Raster a(1, 1);
  Raster b(1, 1);
  DeviceContext da(a);
  const Hdc ha = da.Handle();
  DeviceContext moved(std::move(da));
  EXPECT_EQ(moved.Handle(), ha);
  EXPECT_EQ(da.Handle(), 0u);  // a moved-from context holds no handle
  EXPECT_EQ(SurfaceOf(ha), &a);

  DeviceContext db(b);
  const Hdc hb = db.Handle();
  moved = std::move(db);
  EXPECT_EQ(SurfaceOf(ha), nullptr);
  EXPECT_EQ(SurfaceOf(hb), &b);
  EXPECT_EQ(moved.Handle(), hb);
}

TEST(DeviceContext, FollowsARasterReplacedInPlace) {
  Raster slot(2, 2, kWhite);
  DeviceContext dc(slot);
  slot = Raster(5, 4, 0xFF000000u);
  EXPECT_EQ(SetPixel(dc.Handle(), 4, 3, Rgb(1, 2, 3)), Rgb(1, 2, 3));
  EXPECT_EQ(slot.At(4, 3), ToArgb(Rgb(1, 2, 3)));
}

TEST(DeviceContext, HandlesBelongToTheirThread) {
  Raster a(1, 1);
  DeviceContext dc(a);
  Raster* seen = &a;
  std::thread([&] { seen = SurfaceOf(dc.Handle()); }).join();
  EXPECT_EQ(seen, nullptr);
}

TEST(Pixels, GetAndSetInsideOutsideAndWithBadHandles) {
  Raster r(3, 2, kWhite);
  DeviceContext dc(r);
  const Hdc h = dc.Handle();
  EXPECT_EQ(GetPixel(h, 0, 0), Rgb(255, 255, 255));
  EXPECT_EQ(SetPixel(h, 2, 1, Rgb(64, 64, 64)), Rgb(64, 64, 64));
  EXPECT_EQ(GetPixel(h, 2, 1), Rgb(64, 64, 64));
  EXPECT_EQ(r.At(2, 1), 0xFF404040u);
  // Only the colour bits are set; the flag byte is dropped.
  EXPECT_EQ(SetPixel(h, 1, 1, 0x02123456u), 0x00123456u);
  EXPECT_EQ(GetPixel(h, 1, 1), 0x00123456u);

  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(GetPixel(h, x, y), kClrInvalid) << x << "," << y;
    EXPECT_EQ(SetPixel(h, x, y, 0), kClrInvalid) << x << "," << y;
  }
  const Raster before = r;
  EXPECT_EQ(GetPixel(0, 0, 0), kClrInvalid);
  EXPECT_EQ(SetPixel(0, 0, 0, 0), kClrInvalid);
  EXPECT_EQ(GetPixel(h + 1000, 0, 0), kClrInvalid);
  EXPECT_EQ(SetPixel(h + 1000, 0, 0, 0), kClrInvalid);
  EXPECT_EQ(r, before);
}

TEST(Pixels, GetPixelReadsThePremultipliedColourItShows) {
  Raster r(3, 1);
  r.Set(0, 0, 0x80400000u);  // half-transparent red 128
  r.Set(1, 0, 0x00000000u);  // transparent
  r.Set(2, 0, 0xFF102030u);
  DeviceContext dc(r);
  EXPECT_EQ(GetPixel(dc.Handle(), 0, 0), Rgb(128, 0, 0));
  EXPECT_EQ(GetPixel(dc.Handle(), 1, 0), Rgb(0, 0, 0));
  EXPECT_EQ(GetPixel(dc.Handle(), 2, 0), Rgb(0x10, 0x20, 0x30));
}

TEST(StretchBlt, OnePixelFillsExactlyItsRectangle) {
  // The thumb painting: one pixel set, then stretched over the thumb.
  for (auto [w, h] : {std::pair{7, 100}, {1, 1}, {3, 1}, {1, 5}, {8, 9}}) {
    Raster track(10, 120, kWhite);
    DeviceContext dc(track);
    ASSERT_EQ(SetPixel(dc.Handle(), 0, 5, Rgb(64, 64, 64)), Rgb(64, 64, 64));
    ASSERT_TRUE(StretchBlt(dc.Handle(), 0, 5, w, h, dc.Handle(), 0, 5, 1, 1, kSrcCopy));
    for (int32_t y = 0; y < track.Height(); ++y) {
      for (int32_t x = 0; x < track.Width(); ++x) {
        const bool inside = x < w && y >= 5 && y < 5 + h;
        ASSERT_EQ(track.At(x, y), inside ? 0xFF404040u : kWhite)
            << w << "x" << h << " at " << x << "," << y;
      }
    }
  }
}

TEST(StretchBlt, NearestNeighbourEnlargesAndShrinks) {
  Raster src = Coordinates(3, 1);
  Raster dst(6, 1, kWhite);
  DeviceContext ds(src);
  DeviceContext dd(dst);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 0, 0, 6, 1, ds.Handle(), 0, 0, 3, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "aabbcc\n");
  // 3 onto 5: pixel centres 0.3, 0.9, 1.5, 2.1, 2.7 of the source.
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 0, 0, 5, 1, ds.Handle(), 0, 0, 3, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "aabcc.\n");

  Raster wide = Coordinates(6, 2);
  DeviceContext dw(wide);
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 1, 0, 3, 1, dw.Handle(), 0, 1, 6, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), ".bdf..\n");
  EXPECT_EQ(GreenOf(FromArgb(dst.At(1, 0))), 1);  // taken from source row 1
}

TEST(StretchBlt, NegativeSizesMirrorTheRectangleEndingAtTheOrigin) {
  Raster src = Coordinates(3, 2);
  Raster dst(5, 2, kWhite);
  DeviceContext ds(src);
  DeviceContext dd(dst);
  // Destination [4 - 3, 4) = columns 1..3, mirrored.
  ASSERT_TRUE(StretchBlt(dd.Handle(), 4, 0, -3, 1, ds.Handle(), 0, 0, 3, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), ".cba.\n.....\n");
  // Both negative: no mirror.
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 3, 0, -3, 1, ds.Handle(), 3, 0, -3, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "abc..\n.....\n");
  // Vertical mirror with a negative source height.
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 0, 0, 1, 2, ds.Handle(), 0, 2, 1, -2, kSrcCopy));
  EXPECT_EQ(GreenOf(FromArgb(dst.At(0, 0))), 1);
  EXPECT_EQ(GreenOf(FromArgb(dst.At(0, 1))), 0);
}

TEST(StretchBlt, ClipsToBothSurfaces) {
  Raster src = Coordinates(4, 1);
  Raster dst(4, 1, kWhite);
  DeviceContext ds(src);
  DeviceContext dd(dst);
  // Hanging off the left and right of the destination.
  ASSERT_TRUE(StretchBlt(dd.Handle(), -2, 0, 8, 1, ds.Handle(), 0, 0, 4, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "bbcc\n");
  // A source rectangle partly outside the source leaves those pixels alone.
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 0, 0, 4, 1, ds.Handle(), 2, 0, 4, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "cd..\n");
  // Entirely outside: nothing drawn, still a success.
  dst.Fill(kWhite);
  ASSERT_TRUE(StretchBlt(dd.Handle(), 10, 0, 4, 1, ds.Handle(), 0, 0, 4, 1, kSrcCopy));
  ASSERT_TRUE(StretchBlt(dd.Handle(), 0, 0, 4, 1, ds.Handle(), -9, 0, 4, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "....\n");
  // Extreme sizes are clipped, not walked.
  ASSERT_TRUE(
      StretchBlt(dd.Handle(), INT32_MIN / 2, 0, INT32_MAX, 1, ds.Handle(), 0, 0, 1, 1, kSrcCopy));
  EXPECT_EQ(Columns(dst), "aaaa\n");
}

TEST(StretchBlt, SameSurfaceOverlapReadsTheOriginalPixels) {
  Raster r = Coordinates(6, 1);
  DeviceContext dc(r);
  // Shift right by two over itself: a naive left-to-right copy would smear.
  ASSERT_TRUE(StretchBlt(dc.Handle(), 2, 0, 4, 1, dc.Handle(), 0, 0, 4, 1, kSrcCopy));
  EXPECT_EQ(Columns(r), "ababcd\n");
  // Mirror in place.
  r = Coordinates(6, 1);
  ASSERT_TRUE(StretchBlt(dc.Handle(), 6, 0, -6, 1, dc.Handle(), 0, 0, 6, 1, kSrcCopy));
  EXPECT_EQ(Columns(r), "fedcba\n");
}

TEST(StretchBlt, RefusesOtherOperationsBadHandlesAndEmptySources) {
  Raster src = Coordinates(2, 2);
  Raster dst(2, 2, kWhite);
  DeviceContext ds(src);
  DeviceContext dd(dst);
  EXPECT_FALSE(StretchBlt(dd.Handle(), 0, 0, 2, 2, ds.Handle(), 0, 0, 2, 2, kSrcAnd));
  EXPECT_FALSE(StretchBlt(dd.Handle(), 0, 0, 2, 2, ds.Handle(), 0, 0, 2, 2, 0));
  EXPECT_FALSE(StretchBlt(0, 0, 0, 2, 2, ds.Handle(), 0, 0, 2, 2, kSrcCopy));
  EXPECT_FALSE(StretchBlt(dd.Handle(), 0, 0, 2, 2, 0, 0, 0, 2, 2, kSrcCopy));
  EXPECT_FALSE(StretchBlt(dd.Handle(), 0, 0, 2, 2, ds.Handle(), 0, 0, 0, 2, kSrcCopy));
  EXPECT_EQ(Columns(dst), "..\n..\n");
  EXPECT_TRUE(StretchBlt(dd.Handle(), 0, 0, 0, 2, ds.Handle(), 0, 0, 2, 2, kSrcCopy));
  EXPECT_EQ(Columns(dst), "..\n..\n");
}

}  // namespace
}  // namespace lumora
