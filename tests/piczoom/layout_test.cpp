// The viewport layout: which bars show, where everything goes, the ranges,
// the centring, and the scrolling pointer.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Layout : public PicZoomTest {
 protected:
  // What shows: 1 the horizontal bar, 2 the vertical one, 4 the corner button.
  static int Shown(ZelPicZoom& z) {
    return HBar(z).Visible() + 2 * VBar(z).Visible() + 4 * Button(z).Visible();
  }
};

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
    int32_t width, height, shown;
    std::pair<int, int> max, value;
    Rect pic;
  };
  for (const Case& c : {Case{400, 100, 5, {200, -37}, {100, -18}, {-100, 18, 400, 100}},
                        {0, 0, 0, {-13, -13}, {0, 0}, {0, 0, 200, 150}},
                        {200, 150, 0, {0, 0}, {0, 0}, {0, 0, 200, 150}},
                        {101, 50, 0, {-99, -100}, {-50, -50}, {50, 50, 101, 50}},
                        {200, 400, 6, {13, 250}, {6, 125}, {-6, -125, 200, 400}}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    auto z = Place(200, 150);
    if (c.width) z->Picture(PatternPicture(c.width, c.height));
    EXPECT_EQ(Shown(*z), c.shown);
    EXPECT_EQ((std::pair<int, int>(HBar(*z).Max(), VBar(*z).Max())), c.max);
    EXPECT_EQ(Values(*z), c.value);
    EXPECT_EQ(RectOf(Pic(*z)), c.pic);
    EXPECT_TRUE(Pic(*z).Visible());
    EXPECT_EQ(z->MousePointer(), c.shown ? mpCustom : mpDefault);
    form->Remove(*z);
  }
}

TEST_F(Layout, WorkedExampleWidePictureInA200By150Control) {
  auto z = Place(200, 150);
  events.clear();
  z->Picture(PatternPicture(400, 100));
  EXPECT_EQ(RectOf(HBar(*z)), (Rect{0, 137, 187, 13}));
  EXPECT_EQ(RectOf(VBar(*z)), (Rect{187, 0, 13, 137}));
  EXPECT_EQ(RectOf(Button(*z)), (Rect{187, 137, 13, 13}));
  EXPECT_EQ((std::pair<int, int>(HBar(*z).LargeChange(), VBar(*z).LargeChange())),
            std::pair(200, 150));
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"PictureSizeChanged", "PictureScrolled", "PictureScrolled"}));
  // Resizing recentres: only the horizontal value changes.
  HBar(*z).Value(10);
  events.clear();
  z->Width(300 * 15);
  EXPECT_EQ(HBar(*z).Max(), 400 - 287 - 13);
  EXPECT_EQ(Pic(*z).Left(), -50);
  EXPECT_EQ(Count("PictureScrolled"), 1);
  EXPECT_EQ(z->hWnd(), Pic(*z).hWnd());
}

TEST_F(Layout, ScrollBarModes) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  z->ScrollBars(sbNone);
  EXPECT_EQ(Shown(*z), 0);
  EXPECT_EQ(z->MousePointer(), mpDefault);  // no scrolling pointer without bars
  EXPECT_EQ(HBar(*z).Max(), 400 - 187 - 13);
  EXPECT_EQ(HBar(*z).Value(), 100);  // still centred
  // Another value keeps the bars as they were and recomputes the rest.
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_EQ(Shown(*z), 0);
  z->ScrollBars(sbAutomatic);
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_EQ(Shown(*z), 7);
  EXPECT_EQ(z->ScrollBars(), 2);
  z->BarsWidth(20);
  EXPECT_EQ(RectOf(HBar(*z)), (Rect{0, 130, 180, 20}));
}

TEST_F(Layout, TheControlKeepsRoomForTwoBarsUnlessThatOverflows) {
  auto z = Place(200, 150);
  auto scale = [&] { return std::pair<int, int>(z->ScaleWidth(), z->ScaleHeight()); };
  z->Width(10 * 15);
  z->Height(0);
  EXPECT_EQ(scale(), std::pair(26, 26));
  EXPECT_EQ(z->Width(), 26 * 15);
  z->BarsWidth(40);
  EXPECT_EQ(scale(), std::pair(80, 80));
  // 2 x 1093 x 15 does not fit in 16 bits: the minimum is skipped and the
  // later steps still run; 1092 still fits.
  z->Width(200 * 15);
  z->Height(150 * 15);
  z->BarsWidth(1093);
  EXPECT_EQ(scale(), std::pair(200, 150));
  EXPECT_EQ(RectOf(Pic(*z)), (Rect{0, 0, 200, 150}));
  z->BarsWidth(1092);
  EXPECT_EQ(z->ScaleWidth(), 2184);
}

}  // namespace
}  // namespace lumora::testing
