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

// Steps from the natural size: '+' ZoomIn, '-' ZoomOut, 'r' ZoomReal,
// 'f' FeedBest, 's' Stretch; sizes round half to even, never compounding;
// each step lays the picture out anew (bars: 1 horizontal, 2 vertical).
TEST_F(Zoom, EachStepSequenceEndsAtItsSizePercentAndLayout) {
  struct Case {
    int32_t controlWidth, controlHeight, width, height;
    std::string steps;
    Size shown;
    int percent, bars;
    float left, top;
  };
  for (const Case& c : {Case{200, 150, 333, 250, "+", {416, 312}, 125, 3, -114, -88},
                        {200, 150, 333, 250, "r----------", {17, 12}, 5, 0, 92, 69},
                        {200, 150, 333, 250, "-----------+++++", {166, 125}, 50, 0, 17, 12},
                        {200, 150, 100, 80, "++++++++++++++", {200, 160}, 200, 2, -6, -5},
                        {1000, 100, 2000, 1000, "+f", {1000, 500}, 100, 2, -6, -200},  // width
                        {1000, 100, 2000, 1000, "+f-", {1800, 900}, 90, 3, -406, -406},
                        {200, 150, 300, 250, "f", {180, 150}, 100, 0, 10, 0},  // equal: height
                        {200, 150, 50, 25, "f", {300, 150}, 100, 1, -50, -6},  // enlarged
                        {200, 150, 400, 100, "-s", {200, 150}, 100, 0, 0, 0},
                        {200, 150, 400, 100, "-s+", {500, 125}, 125, 1, -150, 6}}) {
    SCOPED_TRACE(c.steps);
    auto z = Place(c.controlWidth, c.controlHeight);
    z->Picture(SolidPicture(c.width, c.height));
    for (char step : c.steps) {
      if (step == '+') z->ZoomIn();
      if (step == '-') z->ZoomOut();
      if (step == 'r') z->ZoomReal();
      if (step == 'f') z->FeedBest();
      if (step == 's') z->Stretch();
    }
    EXPECT_EQ(SizeOf(Pic(*z)), c.shown);
    EXPECT_EQ(z->ZoomPercent(), Variant(static_cast<uint8_t>(c.percent)));
    EXPECT_EQ(HBar(*z).Visible() + 2 * VBar(*z).Visible(), c.bars);
    EXPECT_EQ(Pic(*z).Left(), c.left);
    EXPECT_EQ(Pic(*z).Top(), c.top);
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
  EXPECT_EQ(Screen().MousePointer(), 0);
  EXPECT_FALSE(Pic(*z).AutoRedraw());
  EXPECT_EQ(Err().Number(), 0);
  EXPECT_EQ(SizeOf(Pic(*z)), (Size{100, 80}));
  // A refusal in the fallback itself is cleared too.
  SetPersistentImageLimit(10);
  z->ZoomIn();
  EXPECT_EQ(Err().Number(), 0);
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
