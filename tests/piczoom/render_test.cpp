// What the control shows, in frames drawn by the headless renderer: the
// picture where the layout and the scroll offset put it, at the zoomed size.
#include "piczoom_fixture.hpp"
#include "platform/color.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::testing {
namespace {

using Rendered = PicZoomTest;

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
  // The bar covers the bottom strip.
  EXPECT_NE(frame.At(60, 20 + 143), PatternPixel(150, 0));
}

TEST_F(Rendered, AZoomedPictureShowsItsScaledPixels) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(160, 96, true));
  for (int i = 0; i < 4; ++i) z->ZoomIn();  // 200 %: 320 x 192, blocks of 32
  ASSERT_EQ(Pic(*z).Left(), -66);           // HScroll.Max 133: 66.5 to even
  ASSERT_EQ(Pic(*z).Top(), -28);            // VScroll.Max 55: 27.5 to even
  const Raster frame = RenderForm(*form);
  // The centre of every block that lies fully in view shows that block.
  int checked = 0;
  for (int32_t by = 0; by < 6; ++by) {
    for (int32_t bx = 0; bx < 10; ++bx) {
      const int32_t cx = -66 + bx * 32 + 16, cy = -28 + by * 32 + 16;
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
  // Without a persistent image, the natural size centred at (68, 51).
  z->Picture(PatternPicture(64, 48, true));
  SetPersistentImageLimit(10);
  z->ZoomIn();
  const Raster fallback = RenderForm(*form);
  EXPECT_EQ(fallback.At(68 + 8, 51 + 8), BlockColour(0, 0));
  EXPECT_EQ(fallback.At(68 + 63, 51 + 47), BlockColour(3, 2));
}

}  // namespace
}  // namespace lumora::testing
