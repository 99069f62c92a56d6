// Zoom: the ladder, the natural size, fitting and stretching, the rendering
// into a persistent image, and the fallback when that image is refused; and
// what the control shows, in frames drawn by the headless renderer.
#include "piczoom_fixture.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::testing {
namespace {

using Zoom = PicZoomTest;

// Steps from the natural size: '+' ZoomIn, '-' ZoomOut, 'r' ZoomReal, 'f' FeedBest,
// 's' Stretch; sizes round half to even, never compounding; each step lays the picture out
// anew (bars: 1 horizontal, 2 vertical); a rung whose size does not fit in 16 bits (35000)
// is passed over, also on the way down (36000).
TEST_F(Zoom, EachStepSequenceEndsAtItsSizePercentAndLayout) {
  const std::string kNames = "+-rfs";
  void (ZelPicZoom::*const kSteps[])() = {&ZelPicZoom::ZoomIn, &ZelPicZoom::ZoomOut,
                                          &ZelPicZoom::ZoomReal, &ZelPicZoom::FeedBest,
                                          &ZelPicZoom::Stretch};
  struct Case {
    int32_t controlWidth, controlHeight, width, height;
    std::string steps;
    std::vector<float> shown;  // left, top, width, height
    int percent, bars;
  };
  for (const Case& c : {Case{200, 150, 333, 250, "r----------", {92, 69, 17, 12}, 5, 0},
                        {200, 150, 333, 250, "+", {-114, -88, 416, 312}, 125, 3},
                        {200, 150, 333, 250, "-----------+++++", {17, 12, 166, 125}, 50, 0},
                        {200, 150, 100, 80, "++++++++++++++", {-6, -5, 200, 160}, 200, 2},
                        {1000, 100, 2000, 1000, "+f", {-6, -200, 1000, 500}, 100, 2},  // width
                        {1000, 100, 2000, 1000, "+f-", {-406, -406, 1800, 900}, 90, 3},
                        {200, 150, 300, 250, "f", {10, 0, 180, 150}, 100, 0},  // equal: height
                        {200, 150, 50, 25, "f", {-50, -6, 300, 150}, 100, 1},  // enlarged
                        {200, 150, 400, 100, "-s", {0, 0, 200, 150}, 100, 0},
                        {200, 150, 400, 100, "-s+", {-150, 6, 500, 125}, 125, 1},
                        {200, 150, 20000, 4, "+++", {-14900, 66, 30000, 6}, 150, 1},
                        {200, 150, 40000, 4, "-", {-15900, 67, 32000, 3}, 80, 1}}) {
    auto z = Place(c.controlWidth, c.controlHeight);
    z->Picture(SolidPicture(c.width, c.height));
    for (char step : c.steps) (*z.*kSteps[kNames.find(step)])();
    const PictureBox& p = Pic(*z);
    EXPECT_EQ((std::vector{p.Left(), p.Top(), p.Width(), p.Height()}), c.shown) << c.steps;
    EXPECT_EQ(z->ZoomPercent(), Variant(static_cast<uint8_t>(c.percent)));
    EXPECT_EQ(HBar(*z).Visible() + 2 * VBar(*z).Visible(), c.bars);
    form->Remove(*z);
  }
}

// A step renders under the hourglass and reports after; a refused
// persistent image falls back to the natural size, the refusal cleared.
TEST_F(Zoom, AStepReportsUnderTheHourglassAndARefusedImageFallsBack) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(100, 80));
  std::vector<int16_t> pointerDuring;
  onEvent = [&](std::string_view name, std::span<Variant>) {
    if (name == "PictureSizeChanged") pointerDuring.push_back(Screen().MousePointer());
  };
  z->ZoomOut();
  EXPECT_FALSE(Pic(*z).AutoRedraw());
  SetPersistentImageLimit(100 * 80);
  z->ZoomIn();
  z->ZoomIn();  // 125 x 100 is refused
  EXPECT_EQ(pointerDuring, (std::vector<int16_t>{11, 11, 11, 0}));
  EXPECT_FALSE(Pic(*z).AutoRedraw());
  EXPECT_EQ(Pic(*z).Width(), 100);
  // A refusal in the fallback itself is cleared too.
  SetPersistentImageLimit(10);
  z->ZoomIn();
  EXPECT_EQ(Err().Number(), 0);
}

// The picture where the layout and the scroll offset put it, at the zoomed size.
TEST_F(Zoom, TheFrameShowsThePictureAtItsOffsetAndScale) {
  auto z = Place(200, 150, 10, 20);
  z->Picture(PatternPicture(160, 96));
  for (int i = 0; i < 4; ++i) z->ZoomIn();  // 200 %: 320 x 192, blocks of 32
  GoDirection d = gdTopLeft;
  z->Go(d);
  // The form pixel (10 + x, 20 + y) shows the zoomed picture's pixel (x, y).
  const Raster frame = RenderForm(*form);
  for (auto [bx, by] : {std::pair{0, 0}, {1, 2}, {4, 3}})
    EXPECT_EQ(frame.At(10 + 16 + 32 * bx, 20 + 16 + 32 * by), BlockColour(bx, by)) << bx << by;
  Place(10, 10, 300, 300);  // another instance resets the zoom position the thread shares
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
}

}  // namespace
}  // namespace lumora::testing
