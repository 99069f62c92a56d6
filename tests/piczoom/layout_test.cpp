// The viewport layout: which bars show, where everything goes, the ranges,
// the centring, and the scrolling pointer.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

using Layout = PicZoomTest;

struct Rect {
  float left, top, width, height;
  bool operator==(const Rect&) const = default;
};
Rect RectOf(const Control& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}
void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ") " << r.width << " x " << r.height;
}

// A picture of each size (0: none) in a 200 x 150 control; values round half
// to even (-18.5 to -18, 6.5 to 6).
TEST_F(Layout, BarsRangesAndCentringForEachPictureSize) {
  struct Case {
    int32_t width, height;
    bool h, v, button;
    int16_t hMax, vMax, hValue, vValue;
    Rect pic;
  };
  for (const Case& c : {Case{400, 100, true, false, true, 200, -37, 100, -18, {-100, 18, 400, 100}},
                        {0, 0, false, false, false, -13, -13, 0, 0, {0, 0, 200, 150}},
                        {200, 150, false, false, false, 0, 0, 0, 0, {0, 0, 200, 150}},
                        {101, 50, false, false, false, -99, -100, -50, -50, {50, 50, 101, 50}},
                        {200, 400, false, true, true, 13, 250, 6, 125, {-6, -125, 200, 400}}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    auto z = Place(200, 150);
    events.clear();
    if (c.width) z->Picture(PatternPicture(c.width, c.height));
    EXPECT_EQ(HBar(*z).Visible(), c.h);
    EXPECT_EQ(VBar(*z).Visible(), c.v);
    EXPECT_EQ(Button(*z).Visible(), c.button);
    EXPECT_EQ(HBar(*z).Max(), c.hMax);
    EXPECT_EQ(VBar(*z).Max(), c.vMax);
    EXPECT_EQ(HBar(*z).Value(), c.hValue);
    EXPECT_EQ(VBar(*z).Value(), c.vValue);
    EXPECT_EQ(RectOf(Pic(*z)), c.pic);
    EXPECT_TRUE(Pic(*z).Visible());
    EXPECT_EQ(z->MousePointer(), c.h || c.v ? mpCustom : mpDefault);
    form->Remove(*z);
  }
}

TEST_F(Layout, WorkedExampleWidePictureInA200By150Control) {
  auto z = Place(200, 150);
  ASSERT_EQ(z->ScaleWidth(), 200);
  events.clear();
  z->Picture(PatternPicture(400, 100));
  EXPECT_EQ(RectOf(HBar(*z)), (Rect{0, 137, 187, 13}));
  EXPECT_EQ(RectOf(VBar(*z)), (Rect{187, 0, 13, 137}));
  EXPECT_EQ(RectOf(Button(*z)), (Rect{187, 137, 13, 13}));
  EXPECT_EQ(HBar(*z).LargeChange(), 200);
  EXPECT_EQ(VBar(*z).LargeChange(), 150);
  // One PictureSizeChanged from the assignment, one PictureScrolled per bar.
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"PictureSizeChanged", "PictureScrolled", "PictureScrolled"}));
  // Resizing recentres: only the horizontal value changes.
  HBar(*z).Value(10);
  events.clear();
  z->Width(300 * 15);
  EXPECT_EQ(HBar(*z).Max(), 400 - 287 - 13);
  EXPECT_EQ(HBar(*z).Value(), 50);
  EXPECT_EQ(Pic(*z).Left(), -50);
  EXPECT_EQ(Count("PictureScrolled"), 1);
  EXPECT_EQ(z->hWnd(), Pic(*z).hWnd());
  EXPECT_NE(z->hWnd(), z->UserControl::hWnd());
}

TEST_F(Layout, ScrollBarModes) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  z->ScrollBars(sbNone);
  EXPECT_FALSE(HBar(*z).Visible() || VBar(*z).Visible() || Button(*z).Visible());
  EXPECT_EQ(z->MousePointer(), mpDefault);  // no scrolling pointer without bars
  EXPECT_EQ(HBar(*z).Max(), 400 - 187 - 13);
  EXPECT_EQ(HBar(*z).Value(), 100);  // still centred
  // Another value keeps the bars as they were and recomputes the rest.
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_FALSE(HBar(*z).Visible());
  z->ScrollBars(sbAutomatic);
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_TRUE(HBar(*z).Visible());
  EXPECT_EQ(z->ScrollBars(), 2);
  z->BarsWidth(20);
  EXPECT_EQ(RectOf(HBar(*z)), (Rect{0, 130, 180, 20}));
}

TEST_F(Layout, TheControlKeepsRoomForTwoBarsUnlessThatOverflows) {
  auto z = Place(200, 150);
  z->Width(10 * 15);
  EXPECT_EQ(z->ScaleWidth(), 26);
  EXPECT_EQ(z->Width(), 26 * 15);
  z->Height(0);
  EXPECT_EQ(z->ScaleHeight(), 26);
  z->BarsWidth(40);
  EXPECT_EQ(z->ScaleWidth(), 80);
  EXPECT_EQ(z->ScaleHeight(), 80);
  // 2 x 1093 x 15 does not fit in 16 bits: the minimum is skipped and the
  // later steps still run; 1092 still fits.
  z->Width(200 * 15);
  z->Height(150 * 15);
  z->BarsWidth(1093);
  EXPECT_EQ(z->ScaleWidth(), 200);
  EXPECT_EQ(z->ScaleHeight(), 150);
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{0, 0, 200, 150}));
  z->BarsWidth(1092);
  EXPECT_EQ(z->ScaleWidth(), 2184);
}

}  // namespace
}  // namespace lumora::testing
