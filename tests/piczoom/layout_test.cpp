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

TEST_F(Layout, WorkedExampleWidePictureInA200By150Control) {
  auto z = Place(200, 150);
  ASSERT_EQ(z->ScaleWidth(), 200);
  ASSERT_EQ(z->ScaleHeight(), 150);
  events.clear();
  z->Picture(PatternPicture(400, 100));

  ScrollBar& h = HBar(*z);
  ScrollBar& v = VBar(*z);
  EXPECT_TRUE(h.Visible());
  EXPECT_FALSE(v.Visible());
  EXPECT_TRUE(Button(*z).Visible());
  EXPECT_EQ(RectOf(h), (Rect{0, 137, 187, 13}));
  EXPECT_EQ(RectOf(v), (Rect{187, 0, 13, 137}));
  EXPECT_EQ(RectOf(Button(*z)), (Rect{187, 137, 13, 13}));
  EXPECT_EQ(h.Max(), 200);
  EXPECT_EQ(v.Max(), -37);
  EXPECT_EQ(h.LargeChange(), 200);
  EXPECT_EQ(v.LargeChange(), 150);
  EXPECT_EQ(h.Value(), 100);
  EXPECT_EQ(v.Value(), -18);  // -18.5 rounds to the even neighbour
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{-100, 18, 400, 100}));
  EXPECT_TRUE(Pic(*z).Visible());
  // One PictureSizeChanged from the assignment, one PictureScrolled per bar.
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"PictureSizeChanged", "PictureScrolled", "PictureScrolled"}));
}

TEST_F(Layout, WithoutAPictureTheSurfaceFillsTheControlAndNothingShows) {
  auto z = Place(200, 150);
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_FALSE(VBar(*z).Visible());
  EXPECT_FALSE(Button(*z).Visible());
  EXPECT_EQ(HBar(*z).Max(), -13);
  EXPECT_EQ(VBar(*z).Max(), -13);
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{0, 0, 200, 150}));
  EXPECT_EQ(z->MousePointer(), mpDefault);
  EXPECT_TRUE(Pic(*z).Visible());
}

TEST_F(Layout, PicturesThatFitAreCentredInTheWholeControl) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 150));  // exactly the inner size
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_FALSE(VBar(*z).Visible());
  EXPECT_EQ(HBar(*z).Max(), 0);
  EXPECT_EQ(VBar(*z).Max(), 0);
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{0, 0, 200, 150}));

  z->Picture(SolidPicture(101, 50));  // smaller both ways
  EXPECT_FALSE(Button(*z).Visible());
  EXPECT_EQ(HBar(*z).Max(), 101 - 200);
  EXPECT_EQ(VBar(*z).Max(), 50 - 150);
  EXPECT_EQ(HBar(*z).Value(), -50);  // -49.5 to even
  EXPECT_EQ(VBar(*z).Value(), -50);
  EXPECT_EQ(Pic(*z).Left(), 50);
  EXPECT_EQ(Pic(*z).Top(), 50);
}

TEST_F(Layout, APictureAsWideAsTheControlButTallerLosesHalfABarEachSide) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 400));
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_TRUE(VBar(*z).Visible());
  EXPECT_TRUE(Button(*z).Visible());
  EXPECT_EQ(HBar(*z).Max(), 13);   // 200 - 187, the vertical bar is shown
  EXPECT_EQ(HBar(*z).Value(), 6);  // 6.5 to even
  EXPECT_EQ(Pic(*z).Left(), -6);
  EXPECT_EQ(VBar(*z).Max(), 400 - 137 - 13);
  EXPECT_EQ(VBar(*z).Value(), 125);
}

TEST_F(Layout, ScrollBarModes) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  ASSERT_TRUE(HBar(*z).Visible() && VBar(*z).Visible());
  EXPECT_EQ(z->MousePointer(), mpCustom);

  z->ScrollBars(sbNone);
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_FALSE(VBar(*z).Visible());
  EXPECT_FALSE(Button(*z).Visible());
  EXPECT_EQ(z->MousePointer(), mpDefault);  // no scrolling pointer without bars
  EXPECT_EQ(HBar(*z).Max(), 400 - 187 - 13);
  EXPECT_EQ(HBar(*z).Value(), 100);  // still centred

  // Another value keeps the bars as they were and recomputes the rest.
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_FALSE(HBar(*z).Visible());
  z->ScrollBars(sbAutomatic);
  EXPECT_TRUE(HBar(*z).Visible());
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_TRUE(HBar(*z).Visible());
  EXPECT_EQ(z->ScrollBars(), 2);
  z->BarsWidth(20);
  EXPECT_TRUE(HBar(*z).Visible());
  EXPECT_EQ(RectOf(HBar(*z)), (Rect{0, 130, 180, 20}));
}

TEST_F(Layout, TheControlGrowsBackToTwoBarsInEachDirection) {
  auto z = Place(200, 150);
  z->Width(10 * 15);
  EXPECT_EQ(z->ScaleWidth(), 26);
  EXPECT_EQ(z->Width(), 26 * 15);
  z->Height(0);
  EXPECT_EQ(z->ScaleHeight(), 26);
  z->BarsWidth(40);
  EXPECT_EQ(z->ScaleWidth(), 80);
  EXPECT_EQ(z->ScaleHeight(), 80);
}

TEST_F(Layout, AnOverflowingMinimumSizeChangesNothing) {
  auto z = Place(200, 150);
  // 2 x 1093 x 15 does not fit in 16 bits: the minimum-size steps are skipped
  // and every later step still runs.
  z->BarsWidth(1093);
  EXPECT_EQ(z->ScaleWidth(), 200);
  EXPECT_EQ(z->ScaleHeight(), 150);
  EXPECT_TRUE(Pic(*z).Visible());
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{0, 0, 200, 150}));
  // 1092 still fits: the control grows to 2184 pixels.
  z->BarsWidth(1092);
  EXPECT_EQ(z->ScaleWidth(), 2184);
}

TEST_F(Layout, ResizingRecentresThePicture) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 100));
  HBar(*z).Value(10);
  events.clear();
  z->Width(300 * 15);
  EXPECT_EQ(HBar(*z).Max(), 400 - 287 - 13);
  EXPECT_EQ(HBar(*z).Value(), 50);
  EXPECT_EQ(Pic(*z).Left(), -50);
  EXPECT_EQ(Count("PictureScrolled"), 1);  // the vertical value stayed -18
}

TEST_F(Layout, TheScrollingPointerIsOfferedAndWithdrawn) {
  auto z = Place(200, 150);
  const PicturePtr hand = SolidPicture(16, 16, 0xFF00FF00u);
  z->MouseScrollingIcon(hand);
  EXPECT_EQ(z->MouseScrollingIcon(), hand);
  EXPECT_EQ(z->MouseIcon(), nullptr);  // takes effect at the next layout

  z->Picture(SolidPicture(400, 300));
  EXPECT_EQ(z->MousePointer(), mpCustom);
  EXPECT_EQ(z->MouseIcon(), hand);
  EXPECT_EQ(Pic(*z).MousePointer(), kPointerCustom);
  EXPECT_EQ(Pic(*z).MouseIcon(), hand);
  const auto& changed = z->ChangedProperties();
  EXPECT_NE(std::ranges::find(changed, "MousePointer"), changed.end());
  EXPECT_NE(std::ranges::find(changed, "MouseIcon"), changed.end());

  // Once the picture fits, the saved pointer (default) comes back; the icon
  // is not touched when nothing was saved.
  z->Picture(SolidPicture(100, 100));
  EXPECT_EQ(z->MousePointer(), mpDefault);
  EXPECT_EQ(z->MouseIcon(), hand);

  // With MouseScrolling off the pointer is restored whatever the bars show.
  z->MouseScrolling(false);
  z->Picture(SolidPicture(400, 300));
  EXPECT_TRUE(HBar(*z).Visible());
  EXPECT_EQ(z->MousePointer(), mpDefault);
}

TEST_F(Layout, HWndIsThatOfThePictureSurface) {
  auto z = Place(200, 150);
  EXPECT_EQ(z->hWnd(), Pic(*z).hWnd());
  EXPECT_NE(z->hWnd(), z->UserControl::hWnd());
  EXPECT_NE(z->hWnd(), 0);
}

}  // namespace
}  // namespace lumora::testing
