// Zoom: the ladder, the natural size, fitting and stretching, the rendering
// into a persistent image, and the fallback when that image is refused.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

using Zoom = PicZoomTest;

struct Size {
  float width, height;
  bool operator==(const Size&) const = default;
};
Size SizeOf(const Control& c) {
  return {c.Width(), c.Height()};
}
void PrintTo(const Size& s, std::ostream* os) {
  *os << s.width << " x " << s.height;
}

// Left half red, right half blue: survives any filtering away from the seam.
PicturePtr TwoColourPicture(int32_t width, int32_t height) {
  Raster pixels(width, height, 0xFFFF0000u);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = width / 2; x < width; ++x) pixels.Set(x, y, 0xFF0000FFu);
  return Picture::FromRaster(std::move(pixels));
}

TEST_F(Zoom, RungSizesComeFromTheNaturalSizeRoundedHalfToEven) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(333, 250));
  z->ZoomIn();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{416, 312}));  // 416.25 and 312.5
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{125}));
  z->ZoomReal();
  for (int i = 0; i < 10; ++i) z->ZoomOut();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{5}));
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{17, 12}));  // 16.65 and 12.5
  // Back up the ladder without compounding: 50 % of 333 x 250.
  for (int i = 0; i < 5; ++i) z->ZoomIn();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{166, 125}));  // 166.5 to even
}

TEST_F(Zoom, TheLadderStopsAtItsEnds) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(100, 80));
  events.clear();
  for (int i = 0; i < 14; ++i) z->ZoomIn();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{200}));
  EXPECT_EQ(Count("PictureSizeChanged"), 4);
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{200, 160}));
  const int32_t images = Pic(*z).ImagesMade();
  events.clear();
  z->ZoomIn();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Pic(*z).ImagesMade(), images);  // no redraw at the top

  z->ZoomReal();
  for (int i = 0; i < 10; ++i) z->ZoomOut();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{5}));
  events.clear();
  z->ZoomOut();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{5}));
}

TEST_F(Zoom, WithoutAPictureNothingZooms) {
  auto z = Place(200, 150);
  events.clear();
  z->ZoomIn();
  z->ZoomOut();
  z->FeedBest();
  z->Stretch();
  z->ZoomReal();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Screen().MousePointer(), 0);
}

TEST_F(Zoom, AStepRendersOnceThenLaysOutThenReports) {
  auto z = Place(200, 150);
  z->Picture(TwoColourPicture(120, 50));
  std::vector<int16_t> pointerDuring;
  onEvent = [&](std::string_view name, std::span<Variant>) {
    if (name == "PictureSizeChanged") pointerDuring.push_back(Screen().MousePointer());
  };
  events.clear();
  const int32_t images = Pic(*z).ImagesMade();
  z->ZoomIn();
  z->ZoomIn();
  z->ZoomIn();
  z->ZoomIn();                                  // 200 %: 240 x 100, wider than the control
  EXPECT_EQ(Pic(*z).ImagesMade(), images + 4);  // one persistent image per step
  EXPECT_EQ(pointerDuring, (std::vector<int16_t>{11, 11, 11, 11}));
  EXPECT_EQ(Screen().MousePointer(), 0);
  EXPECT_EQ(Names().back(), "PictureSizeChanged");
  EXPECT_FALSE(Pic(*z).AutoRedraw());

  // The shown image is the source scaled to the new size.
  const Raster* shown = Pic(*z).ShownImage();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Width(), 240);
  EXPECT_EQ(shown->Height(), 100);
  EXPECT_EQ(shown->At(10, 50), 0xFFFF0000u);
  EXPECT_EQ(shown->At(230, 50), 0xFF0000FFu);
  // Laid out anew: centred, the picture above the horizontal bar.
  EXPECT_EQ(HBar(*z).Max(), 240 - 187 - 13);  // the vertical bar's strip is free
  EXPECT_EQ(Pic(*z).Left(), -20);
  EXPECT_EQ(Pic(*z).Top(), 18);
}

TEST_F(Zoom, FeedBestFitsTheLargerOverhang) {
  auto z = Place(1000, 100);
  z->Picture(SolidPicture(2000, 1000));
  z->ZoomIn();
  z->FeedBest();  // dx 1000 > dy 900: the width is fitted
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{1000, 500}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_TRUE(VBar(*z).Visible());
  // The next step goes from the natural size, not the fitted one.
  z->ZoomOut();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{1800, 900}));
}

TEST_F(Zoom, FeedBestWithEqualOverhangsFitsTheHeight) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(300, 250));  // 100 over in both directions
  z->FeedBest();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{180, 150}));
}

TEST_F(Zoom, FeedBestEnlargesASmallPicture) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(50, 25));  // short by 150 and 125: the height fits
  z->FeedBest();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{300, 150}));
  EXPECT_TRUE(HBar(*z).Visible());
}

TEST_F(Zoom, StretchFillsTheWholeInnerArea) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 100));
  z->ZoomOut();
  z->Stretch();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{200, 150}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_FALSE(VBar(*z).Visible());
  EXPECT_EQ(Pic(*z).Left(), 0);
  EXPECT_EQ(Pic(*z).Top(), 0);
  z->ZoomIn();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{500, 125}));
}

TEST_F(Zoom, ARefusedImageFallsBackToTheNaturalSize) {
  auto z = Place(200, 150);
  z->Picture(TwoColourPicture(100, 80));
  SetPersistentImageLimit(100 * 80);
  events.clear();
  z->ZoomIn();  // 125 x 100 is refused
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{100, 80}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_EQ(Count("PictureSizeChanged"), 2);
  EXPECT_EQ(Screen().MousePointer(), 0);
  EXPECT_FALSE(Pic(*z).AutoRedraw());
  ASSERT_NE(Pic(*z).ShownImage(), nullptr);
  EXPECT_EQ(Pic(*z).ShownImage()->Width(), 100);
  EXPECT_EQ(Pic(*z).Left(), 50);
  EXPECT_EQ(Err().Number(), 0);  // the refusal was cleared, not left behind

  // Smaller rungs still work under the same limit.
  z->ZoomOut();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{90, 72}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{90}));
}

TEST_F(Zoom, ARefusalInTheFallbackItselfEndsIt) {
  auto z = Place(200, 150);
  z->Picture(TwoColourPicture(100, 80));
  SetPersistentImageLimit(10);  // even the natural size is refused
  events.clear();
  z->ZoomIn();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{100, 80}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_EQ(Count("PictureSizeChanged"), 2);
  EXPECT_EQ(Screen().MousePointer(), 0);
  // No persistent image: the box shows its unscaled picture, and is visible.
  EXPECT_EQ(Pic(*z).ShownImage(), nullptr);
  EXPECT_FALSE(Pic(*z).AutoRedraw());
  EXPECT_TRUE(Pic(*z).Visible());
  EXPECT_EQ(Pic(*z).Left(), 50);

  // Lifting the limit lets the ladder work again.
  SetPersistentImageLimit(int64_t{1} << 28);
  z->ZoomOut();
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{90, 72}));
}

TEST_F(Zoom, RungsBeyond16BitsAreSteppedOver) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(20000, 4));
  z->ZoomIn();
  z->ZoomIn();
  ASSERT_EQ(Pic(*z).Width(), 30000);
  events.clear();
  z->ZoomIn();  // 35000 pixels do not fit in 16 bits
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{150}));
  EXPECT_EQ(Pic(*z).Width(), 30000);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(Pic(*z).Visible());
  z->ZoomOut();
  EXPECT_EQ(Pic(*z).Width(), 25000);

  // Too wide for the rungs next to the natural size: a step passes over
  // them to the nearest one that fits, and up from there none does.
  z->Picture(SolidPicture(40000, 4));
  z->ZoomOut();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{80}));
  EXPECT_EQ(Pic(*z).Width(), 32000);
  events.clear();
  z->ZoomIn();
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{80}));
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace lumora::testing
