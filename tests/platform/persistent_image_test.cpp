// The persistent image made tile by tile shows exactly the pixels of the same
// image drawn whole, whichever tiles were dropped, in whatever order they were
// made, and after drawing on it and writing through a device context.
#include "platform/persistent_image.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/picture/picture.hpp"
#include "platform/scale/scale_kernels.hpp"
#include "support/fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using Draw = PersistentImage::Draw;
constexpr auto Random = testing::RandomPicture;  // the same pixels for the same draw
constexpr Argb kFill = 0xFF204060u;

// The reference: the same image drawn on one raster.
Raster DrawnWhole(int32_t w, int32_t h, const PicturePtr& background,
                  const std::vector<Draw>& draws) {
  Raster image(w, h, kFill);
  if (background) {
    const Raster& b = background->Pixels();
    for (int32_t y = 0; y < std::min(h, b.Height()); ++y)
      std::copy_n(b.Row(y), std::min(w, b.Width()), image.Row(y));
  }
  for (const Draw& d : draws)
    ScaleInto(image, d.dx, d.dy, d.dw, d.dh, d.picture->Pixels(), d.sx, d.sy, d.sw, d.sh,
              d.compose);
  return image;
}

// Every tile, made from the last to the first, against the reference.
void ExpectTilesEqual(PersistentImage& image, const Raster& whole) {
  constexpr int32_t kTile = PersistentImage::kTileSize;
  for (int32_t row = image.Rows() - 1; row >= 0; --row) {
    for (int32_t column = image.Columns() - 1; column >= 0; --column) {
      Raster part(std::min(kTile, whole.Width() - column * kTile),
                  std::min(kTile, whole.Height() - row * kTile));
      for (int32_t y = 0; y < part.Height(); ++y)
        std::copy_n(whole.Row(row * kTile + y) + column * kTile, part.Width(), part.Row(y));
      ASSERT_TRUE(image.Tile(column, row) == part) << "tile " << column << "," << row;
    }
  }
}

class PersistentImageTest : public testing::LumoraTest,
                            public ::testing::WithParamInterface<scale::Isa> {
 protected:
  void SetUp() override { scale::LimitIsa(GetParam()); }
  void TearDown() override { scale::LimitIsa(scale::Isa::Avx2); }
};

INSTANTIATE_TEST_SUITE_P(Loops, PersistentImageTest,
                         ::testing::Values(scale::Isa::Sse2, scale::Isa::Ssse3, scale::Isa::Avx2),
                         [](const auto& info) {
                           return std::string(std::array{"Sse2", "Ssse3", "Avx2"}[int(info.param)]);
                         });

// A whole picture drawn over the whole image, as zooming, fitting and
// stretching draw it: enlarged, shrunk, both at once, from one-pixel edges,
// at odd sizes across tile edges, and past the factor where shrinking halves.
TEST_P(PersistentImageTest, ScaledTilesEqualTheImageScaledWhole) {
  struct Case {
    int32_t sw, sh, dw, dh;
  };
  const Case cases[] = {
      {1, 1, 300, 270},      {1, 7, 513, 9},       {7, 1, 9, 513},
      {2, 3, 517, 260},      {37, 29, 74, 58},     {600, 400, 525, 350},
      {1001, 601, 751, 451}, {640, 480, 300, 530}, {17000, 20, 265, 520},
  };
  uint32_t draw = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
    const std::vector<Draw> draws = {
        {Random(c.sw, c.sh, ++draw), 0, 0, c.dw, c.dh, 0, 0, double(c.sw), double(c.sh), {}}};
    const Raster whole = DrawnWhole(c.dw, c.dh, nullptr, draws);
    PersistentImage image;
    image.Reset(c.dw, c.dh, kFill, nullptr);
    image.Add(draws[0]);
    EXPECT_TRUE(image.Whole() == whole);
    SetPersistentTileBudget(1);  // each tile made drops the one before
    ExpectTilesEqual(image, whole);
    ExpectTilesEqual(image, whole);
    SetPersistentTileBudget(kPersistentTileBudget);
  }
}

// A background picture, draws that composite, combine bit by bit and mirror,
// one added after tiles were made, and writes through a device context (a
// pixel, and a stretch of the image onto itself) on tiles that are then kept
// while the others are dropped and made again.
TEST_P(PersistentImageTest, DrawsAndWritesLandAsOnOneRaster) {
  const int32_t w = 700, h = 530;
  const PicturePtr background = Random(300, 600, 1);
  Raster translucent = testing::RandomOpaque(90, 70, 2);
  for (int32_t y = 0; y < 70; ++y)
    for (int32_t x = 0; x < 90; ++x)
      translucent.Set(x, y, (translucent.At(x, y) >> 1) & 0x7F7F7F7Fu);
  std::vector<Draw> draws = {
      {Picture::FromRaster(translucent), 100, 40, 400, -300, 3.5, 0, 80, 70, Compose::Over()},
      {Random(50, 60, 3), 650, 500, -600, -480, 0, 0, 50, 60, Compose::Bitwise(0b0110)},
      {Random(40, 30, 4), 250, 250, 20, 500, 0, 0, 40, 30, {}},
  };
  PersistentImage image;
  image.Reset(w, h, kFill, background);
  image.Add(draws[0]);
  image.Add(draws[1]);
  image.Tile(1, 1);  // made before the last draw, which it then gets at once
  image.Add(draws[2]);
  Raster whole = DrawnWhole(w, h, background, draws);
  ExpectTilesEqual(image, whole);

  SetPersistentTileBudget(1);
  DeviceContext lazy(static_cast<Surface&>(image));
  DeviceContext eager(whole);
  for (const Hdc dc : {lazy.Handle(), eager.Handle()}) {
    SetPixel(dc, 699, 529, Rgb(1, 2, 3));
    SetPixel(dc, 256, 0, Rgb(4, 5, 6));
    EXPECT_TRUE(StretchBlt(dc, 600, 500, -550, -400, dc, 10, 20, 300, 250, kSrcCopy));
  }
  ExpectTilesEqual(image, whole);
  EXPECT_EQ(GetPixel(lazy.Handle(), 699, 529), GetPixel(eager.Handle(), 699, 529));
  EXPECT_TRUE(image.Whole() == whole);
}

}  // namespace
}  // namespace lumora
