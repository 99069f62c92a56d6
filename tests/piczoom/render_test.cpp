// What the control shows, in frames drawn by the headless renderer: the
// picture where the layout and the scroll offset put it, at the zoomed size.
#include "piczoom_fixture.hpp"
#include "platform/color.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::testing {
namespace {

using Rendered = PicZoomTest;

// A picture of 16-pixel blocks, each of a colour that names the block, so
// that block centres keep their colour through any filtered scaling.
Argb BlockColour(int32_t bx, int32_t by) {
  return 0xFF000000u | static_cast<uint32_t>(bx * 23 % 256) << 16 |
         static_cast<uint32_t>(by * 41 % 256) << 8 | static_cast<uint32_t>((bx + by) * 11 % 256);
}
PicturePtr BlockPicture(int32_t width, int32_t height) {
  Raster pixels(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) pixels.Set(x, y, BlockColour(x / 16, y / 16));
  return Picture::FromRaster(std::move(pixels));
}

TEST_F(Rendered, TheWorkedExampleShowsThePictureAtItsOffset) {
  auto z = Place(200, 150, 10, 20);
  z->Picture(PatternPicture(400, 100));
  const Raster frame = RenderForm(*form);
  // The picture at (-100, 18) inside the control at (10, 20): the form pixel
  // (10 + x, 38 + y) shows the picture's pixel (100 + x, y).
  for (auto [x, y] : {std::pair{0, 0}, {50, 40}, {186, 99}, {0, 99}, {120, 7}})
    EXPECT_EQ(frame.At(10 + x, 38 + y), PatternPixel(100 + x, y)) << x << "," << y;
  // Above and below the centred picture, the control's own background.
  const Argb face = ToArgb(ResolveColor(z->BackColor()));
  EXPECT_EQ(frame.At(60, 30), face);
  EXPECT_EQ(frame.At(60, 20 + 136), face);
  // The bar covers the bottom strip; the corner button sits beside it.
  EXPECT_NE(frame.At(60, 20 + 143), PatternPixel(150, 0));
}

TEST_F(Rendered, AZoomedPictureShowsItsScaledPixels) {
  auto z = Place(200, 150);
  z->Picture(BlockPicture(160, 96));
  for (int i = 0; i < 4; ++i) z->ZoomIn();  // 200 %: 320 x 192, blocks of 32
  ASSERT_EQ(Pic(*z).Left(), -66);           // HScroll.Max 133: 66.5 to even
  ASSERT_EQ(Pic(*z).Top(), -28);            // VScroll.Max 55: 27.5 to even
  const int32_t left = static_cast<int32_t>(Pic(*z).Left());
  const int32_t top = static_cast<int32_t>(Pic(*z).Top());
  const Raster frame = RenderForm(*form);
  // The centre of every block that lies fully in view shows that block.
  int checked = 0;
  for (int32_t by = 0; by < 6; ++by) {
    for (int32_t bx = 0; bx < 10; ++bx) {
      const int32_t cx = left + bx * 32 + 16;
      const int32_t cy = top + by * 32 + 16;
      if (cx < 4 || cy < 4 || cx >= 187 - 4 || cy >= 137 - 4) continue;
      EXPECT_EQ(frame.At(cx, cy), BlockColour(bx, by)) << bx << "," << by;
      ++checked;
    }
  }
  EXPECT_GE(checked, 12);

  // Scrolling moves what is shown, not the image.
  GoDirection d = gdTopLeft;
  z->Go(d);
  const Raster topLeft = RenderForm(*form);
  EXPECT_EQ(topLeft.At(16, 16), BlockColour(0, 0));
  EXPECT_EQ(topLeft.At(16 + 32 * 4, 16 + 32 * 3), BlockColour(4, 3));
}

TEST_F(Rendered, AFallbackWithoutAPersistentImageStillShowsThePicture) {
  auto z = Place(200, 150);
  z->Picture(BlockPicture(64, 48));
  SetPersistentImageLimit(10);
  z->ZoomIn();
  const Raster frame = RenderForm(*form);
  // Natural size, centred: (68, 51).
  EXPECT_EQ(frame.At(68 + 8, 51 + 8), BlockColour(0, 0));
  EXPECT_EQ(frame.At(68 + 63, 51 + 47), BlockColour(3, 2));
}

}  // namespace
}  // namespace lumora::testing
