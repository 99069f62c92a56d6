// The picture scaler: exact copies and mirrors, bilinear enlarging, area
// averaging when shrinking, clipping, and the ways of combining with the
// destination, each with every set of pixel loops.
#include "platform/scale/scale.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/scale/scale_kernels.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using testing::kBlack, testing::kWhite, testing::PixelsOf;
constexpr Argb kMarker = 0xFF00FF00u;  // what the destination held before

Raster Mirrored(const Raster& r, bool x, bool y) {
  Raster out(r.Width(), r.Height());
  for (int32_t j = 0; j < r.Height(); ++j)
    for (int32_t i = 0; i < r.Width(); ++i)
      out.Set(x ? r.Width() - 1 - i : i, y ? r.Height() - 1 - j : j, r.At(i, j));
  return out;
}

int Channel(Argb p, int c) {
  return static_cast<int>((p >> (8 * c)) & 0xFF);
}

// How closely ScaleRaster(src, w, h) matches the source averaged exactly over
// the area each output pixel covers, as a peak signal-to-noise ratio in dB.
double ShrinkPsnr(const Raster& src, int32_t w, int32_t h) {
  const Raster out = ScaleRaster(src, w, h);
  const double fx = static_cast<double>(src.Width()) / w;
  const double fy = static_cast<double>(src.Height()) / h;
  auto overlap = [](double a0, double a1, int32_t k) {
    return std::max(0.0, std::min(a1, k + 1.0) - std::max(a0, static_cast<double>(k)));
  };
  double sum = 0;
  for (int32_t j = 0; j < h; ++j)
    for (int32_t i = 0; i < w; ++i)
      for (int c = 0; c < 4; ++c) {
        double exact = 0;
        for (auto y = static_cast<int32_t>(j * fy); y < std::ceil((j + 1) * fy) && y < src.Height();
             ++y)
          for (auto x = static_cast<int32_t>(i * fx);
               x < std::ceil((i + 1) * fx) && x < src.Width(); ++x)
            exact += overlap(j * fy, (j + 1) * fy, y) * overlap(i * fx, (i + 1) * fx, x) *
                     Channel(src.At(x, y), c);
        const double d = Channel(out.At(i, j), c) - exact / (fx * fy);
        sum += d * d;
      }
  const double mse = sum / (4.0 * w * h);
  return mse == 0 ? std::numeric_limits<double>::infinity() : 10 * std::log10(255.0 * 255 / mse);
}

// Every pixel outside [x0, x1) x [y0, y1) still holds the marker.
void ExpectUntouchedOutside(const Raster& r, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t y = 0; y < r.Height(); ++y)
    for (int32_t x = 0; x < r.Width(); ++x)
      if (x < x0 || x >= x1 || y < y0 || y >= y1) {
        ASSERT_EQ(r.At(x, y), kMarker) << x << "," << y;
      }
}

// Every case runs with each set of pixel loops: plain SSE2 (enlarging through
// pixman), SSSE3 and AVX2 (as far as the processor has them).
class Scaling : public ::testing::TestWithParam<scale::Isa> {
 protected:
  void SetUp() override { scale::LimitIsa(GetParam()); }
  void TearDown() override { scale::LimitIsa(scale::Isa::Avx2); }
};

INSTANTIATE_TEST_SUITE_P(Loops, Scaling,
                         ::testing::Values(scale::Isa::Sse2, scale::Isa::Ssse3, scale::Isa::Avx2),
                         [](const auto& info) {
                           return std::string(std::array{"Sse2", "Ssse3", "Avx2"}[int(info.param)]);
                         });

TEST_P(Scaling, EqualSizesCopyExactlyMirroredOrNot) {
  const Raster src = testing::RandomOpaque(37, 23, 1);
  EXPECT_EQ(ScaleRaster(src, 37, 23), src);
  for (auto [fx, fy] : {std::pair{true, false}, {false, true}, {true, true}}) {
    Raster out(37, 23, kMarker);
    ScaleInto(out, fx ? 37 : 0, fy ? 23 : 0, fx ? -37 : 37, fy ? -23 : 23, src, 0, 0, 37, 23);
    EXPECT_EQ(out, Mirrored(src, fx, fy)) << fx << fy;
  }
  // A whole-pixel sub-rectangle at an offset.
  Raster out(10, 10, kMarker);
  ScaleInto(out, 2, 3, 5, 4, src, 20, 11, 5, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) ASSERT_EQ(out.At(2 + x, 3 + y), src.At(20 + x, 11 + y));
  ExpectUntouchedOutside(out, 2, 3, 7, 7);
}

TEST_P(Scaling, EnlargesBilinearlyKeepingCornersExact) {
  // A 3 x 3 checkerboard at twice its size.
  Raster src(3, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) src.Set(x, y, (x + y) % 2 ? kBlack : kWhite);
  const Raster out = ScaleRaster(src, 6, 6);
  // The outer pixels sit over the edge pixels' centres: exact.
  for (auto [x, y] : {std::pair{0, 0}, {5, 0}, {0, 5}, {5, 5}})
    EXPECT_EQ(out.At(x, y), kWhite) << x << "," << y;
  // (1, 1) samples (0.75, 0.75): 9/16 + 1/16 white.
  EXPECT_NEAR(Channel(out.At(1, 1), 1), 255 * 10 / 16.0, 1.0);
  // (1, 0) samples (0.75, 0.25), on the edge row: 3/4 white.
  EXPECT_NEAR(Channel(out.At(1, 0), 0), 255 * 0.75, 1.0);
  EXPECT_EQ(out, Mirrored(out, true, true)) << "symmetric picture, symmetric result";
}

// A flat area keeps its colour exactly, and halving is the exact 2 x 2 average.
TEST_P(Scaling, ShrinkingIsExactOnFlatAreasAndHalves) {
  for (Argb colour : {0xFF3A7FC4u, 0x80402010u, 0xFFFFFFFFu}) {
    const Raster src(301, 203, colour);
    for (auto [w, h] : {std::pair{100, 67}, {1, 1}, {3, 200}, {150, 2}}) {
      const Raster out = ScaleRaster(src, w, h);
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) ASSERT_EQ(out.At(x, y), colour) << w << "x" << h;
    }
  }
  const Argb pixels[] = {0xFF000000u, 0xFF040404u, 0xFFFF0000u, 0xFFFF0000u,
                         0xFF080808u, 0xFF0C0C0Cu, 0xFF0000FFu, 0xFF0000FFu};
  Raster src(4, 2);
  for (int32_t i = 0; i < 8; ++i) src.Set(i % 4, i / 4, pixels[i]);
  // 127.5 rounds up.
  EXPECT_EQ(PixelsOf(ScaleRaster(src, 2, 1)), (std::vector<Argb>{0xFF060606u, 0xFF800080u}));
}

TEST_P(Scaling, ShrinkingAveragesAreasOnRandomPictures) {
  const Raster src = testing::RandomOpaque(240, 180, 2);
  // Whole, fractional and mixed factors, and one far enough to halve first.
  for (auto [w, h] : {std::pair{120, 90}, {97, 61}, {31, 17}, {200, 150}, {7, 5}, {60, 200}})
    EXPECT_GE(ShrinkPsnr(src, w, h), 40.0) << w << "x" << h;
  // Factors beyond 64 are first halved exactly: odd sizes, one or both axes.
  EXPECT_GE(ShrinkPsnr(testing::RandomOpaque(900, 20, 3), 9, 20), 40.0);
  const Raster large = testing::RandomOpaque(701, 655, 9);
  for (auto [w, h] : {std::pair{5, 7}, {9, 3}, {701, 5}})
    EXPECT_GE(ShrinkPsnr(large, w, h), 40.0) << w << "x" << h;
}

TEST_P(Scaling, MirroredShrinkIsTheMirrorOfTheShrink) {
  const Raster src = testing::RandomOpaque(90, 70, 4);
  // Exactly half is a plain halving one way and the general resampler the other.
  for (auto [w, h] : {std::pair{31, 22}, {45, 35}}) {
    const Raster plain = ScaleRaster(src, w, h);
    Raster flipped(w, h, kMarker);
    ScaleInto(flipped, w, h, -w, -h, src, 0, 0, 90, 70);
    EXPECT_EQ(flipped, Mirrored(plain, true, true)) << w;
    Raster sourceFlipped(w, h, kMarker);
    ScaleInto(sourceFlipped, 0, 0, w, h, src, 90, 0, -90, 70);
    EXPECT_EQ(sourceFlipped, Mirrored(plain, true, false)) << w;
  }
}

TEST_P(Scaling, ClipsToTheDestinationWithoutShiftingThePicture) {
  const Raster src = testing::RandomOpaque(50, 40, 5);
  for (auto [w, h] : {std::pair{20, 16}, {120, 90}}) {
    Raster whole(200, 200, kMarker);
    ScaleInto(whole, 0, 0, w, h, src, 0, 0, 50, 40);
    Raster clipped(w - 9, h - 5, kMarker);
    ScaleInto(clipped, -4, -3, w, h, src, 0, 0, 50, 40);
    for (int32_t y = 0; y < clipped.Height(); ++y)
      for (int32_t x = 0; x < clipped.Width(); ++x)
        ASSERT_EQ(clipped.At(x, y), whole.At(x + 4, y + 3)) << w << ": " << x << "," << y;
  }
  // Far outside, huge or empty: nothing drawn, nothing walked.
  Raster out(8, 8, kMarker);
  ScaleInto(out, 100, 0, 10, 10, src, 0, 0, 50, 40);
  ScaleInto(out, 0, 0, 0, 10, src, 0, 0, 50, 40);
  ScaleInto(out, 0, 0, 10, 10, src, 0, 0, 0, 40);
  ScaleInto(out, 0, 0, 10, 10, src, std::nan(""), 0, 50, 40);
  ScaleInto(out, 0, 0, 10, 10, src, 0, 0, std::numeric_limits<double>::infinity(), 40);
  ScaleInto(out, 0, 0, 10, 10, Raster(), 0, 0, 1, 1);
  ExpectUntouchedOutside(out, 0, 0, 0, 0);
  ScaleInto(out, INT32_MIN / 2, 0, INT32_MAX, 8, src, 0, 0, 50, 40);
  EXPECT_NE(out.At(0, 0), kMarker);
  // Only where the source rectangle meets the source is drawn: source x from
  // -5 to 15 onto 20 columns leaves columns 0..4 and 15..19 alone.
  Raster part(20, 20, kMarker);
  ScaleInto(part, 0, 0, 20, 20, Raster(10, 10, kWhite), -5, -5, 20, 20);
  for (int32_t x = 0; x < 20; ++x) EXPECT_EQ(part.At(x, 10), x >= 5 && x < 15 ? kWhite : kMarker);
}

// At any scale, Over composites onto the destination (by default the source
// replaces it, alpha and all) and a bitwise operation combines with it.
TEST_P(Scaling, CombinesWithTheDestinationWhenAsked) {
  for (auto [w, h] : {std::pair{2, 2}, {1, 1}, {8, 8}, {3, 7}}) {
    const Raster src(2, 2, 0x80800000u);  // half-transparent red (premultiplied)
    Raster over(8, 8, 0xFF0000FFu), replaced = over, xored(8, 8, 0xFF550A0Fu);
    ScaleInto(over, 0, 0, w, h, src, 0, 0, 2, 2, Compose::Over());
    EXPECT_EQ(Channel(over.At(0, 0), 3), 255) << w;
    EXPECT_NEAR(Channel(over.At(0, 0), 0), 127, 1) << w;
    ScaleInto(replaced, 0, 0, w, h, src, 0, 0, 2, 2);
    EXPECT_EQ(replaced.At(0, 0), 0x80800000u) << w;
    ScaleInto(xored, 0, 0, w, h, Raster(2, 2, 0xFF0F0F0Fu), 0, 0, 2, 2, Compose::Bitwise(0x6));
    EXPECT_EQ(xored.At(0, 0), 0xFF5A0500u) << w;
    EXPECT_EQ(xored.At(7, 7), w == 8 ? 0xFF5A0500u : 0xFF550A0Fu) << w;
  }
}

TEST_P(Scaling, MixedAxesAverageOneWayAndInterpolateTheOther) {
  // Columns alternate black and white; rows are a ramp.
  Raster src(40, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 40; ++x) src.Set(x, y, x % 2 ? kBlack : (kBlack | (y * 60) << 8));
  const Raster out = ScaleRaster(src, 10, 8);
  // Averaged across: half of the row's green, the same in every column.
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 1; x < 10; ++x) ASSERT_EQ(out.At(x, y), out.At(0, y));
  EXPECT_EQ(Channel(out.At(0, 0), 1), 0);   // over row 0's centre
  EXPECT_EQ(Channel(out.At(0, 7), 1), 90);  // over row 3's centre
  // Row 3 is over source y 1.25: 3/4 of row 1 (60) and 1/4 of row 2 (120), halved.
  EXPECT_NEAR(Channel(out.At(0, 3), 1), 37.5, 1);
}

TEST(ScalingLoops, AgreeWithEachOther) {
  const Raster src = testing::RandomOpaque(61, 47, 7);
  auto render = [&](scale::Isa isa) {
    scale::LimitIsa(isa);
    Raster out(150, 120, kMarker);
    // Mirrored in x, 2.3 and 2.4 times larger, from a fractional sub-rectangle;
    // and an odd number of columns 2.6 times smaller over it.
    ScaleInto(out, 140, 3, -138, 113, src, 1.5, 0.25, 60, 47);
    ScaleInto(out, 5, 7, 23, 17, src, 0.5, 0.25, 60, 46);
    scale::LimitIsa(scale::Isa::Avx2);
    return out;
  };
  const Raster wide = render(scale::Isa::Avx2);
  EXPECT_EQ(render(scale::Isa::Ssse3), wide);
  // pixman truncates sample positions to 1/128 where ours are rounded: on
  // random pixels that moves results by a few steps, no more.
  const Raster pixman = render(scale::Isa::Sse2);
  for (int32_t y = 0; y < wide.Height(); ++y)
    for (int32_t x = 0; x < wide.Width(); ++x)
      for (int c = 0; c < 4; ++c)
        ASSERT_NEAR(Channel(pixman.At(x, y), c), Channel(wide.At(x, y), c), 4) << x << "," << y;
}

TEST(ScalingLoops, LargeImagesWrittenPastTheCachesMatchSmallOnes) {
  // Beyond 32 MiB the rows are streamed; a small window at the same mapping
  // is written normally and must agree pixel for pixel.
  const Raster src = testing::RandomOpaque(1001, 1001, 8);
  for (Compose compose : {Compose::Replace(), Compose::Over()}) {
    Raster big(3003, 3003, kMarker);
    ScaleInto(big, 1, 1, 3001, 3001, src, 0, 0, 1001, 1001, compose);
    Raster window(37, 29, kMarker);
    ScaleInto(window, -1500, -2000, 3001, 3001, src, 0, 0, 1001, 1001, compose);
    for (int32_t y = 0; y < window.Height(); ++y)
      for (int32_t x = 0; x < window.Width(); ++x)
        ASSERT_EQ(window.At(x, y), big.At(x + 1501, y + 2001)) << x << "," << y;
    EXPECT_EQ(big.At(0, 0), kMarker);
    EXPECT_EQ(big.At(3002, 3002), kMarker);
  }
}

}  // namespace
}  // namespace lumora
