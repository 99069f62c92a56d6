// Scrolling: the bars' change handlers, the focus hand-back, the corner
// button, and Go, Scroll and ScrollLoop.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Scrolling : public PicZoomTest {
 protected:
  // A 200 x 150 control with a picture giving HScroll.Max 7 and VScroll.Max
  // 5 (only the horizontal bar shows).
  std::shared_ptr<ZelPicZoom> SmallRanges() {
    auto z = Place(200, 150);
    z->Picture(PatternPicture(207, 142));
    EXPECT_EQ(HBar(*z).Max(), 7);
    EXPECT_EQ(VBar(*z).Max(), 5);
    return z;
  }
  // VScroll.Max 100 (only the vertical bar shows).
  std::shared_ptr<ZelPicZoom> Tall() {
    auto z = Place(200, 150);
    z->Picture(SolidPicture(180, 250));
    EXPECT_EQ(VBar(*z).Max(), 100);
    return z;
  }
  // HScroll.Max 500 (only the horizontal bar shows).
  std::shared_ptr<ZelPicZoom> Wide() {
    auto z = Place(200, 150);
    z->Picture(SolidPicture(700, 100));
    EXPECT_EQ(HBar(*z).Max(), 500);
    return z;
  }
};

TEST_F(Scrolling, ChangeHandlersRaiseFirstThenMoveThePicture) {
  auto z = SmallRanges();
  std::vector<std::pair<int16_t, float>> seen;  // bar value, picture left
  onEvent = [&](std::string_view name, std::span<Variant>) {
    if (name == "PictureScrolled") seen.emplace_back(HBar(*z).Value(), Pic(*z).Left());
  };
  HBar(*z).Value(1);
  VBar(*z).Value(3);
  EXPECT_EQ(seen, (std::vector<std::pair<int16_t, float>>{{1, -4}, {1, -1}}));
  EXPECT_EQ(Pic(*z).Left(), -1);
  EXPECT_EQ(Pic(*z).Top(), -3);
  // The same value again changes nothing and raises nothing.
  HBar(*z).Value(1);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Scrolling, GoJumpsToEachAnchor) {
  auto z = SmallRanges();
  struct Case {
    GoDirection direction;
    int16_t h, v;
  };
  for (const Case c : {Case{gdTop, 4, 0},
                       {gdBottom, 4, 5},
                       {gdLeft, 0, 2},
                       {gdRight, 7, 2},
                       {gdCenter, 4, 2},
                       {gdTopLeft, 0, 0},
                       {gdTopRight, 7, 0},
                       {gdBottomLeft, 0, 5},
                       {gdBottomRight, 7, 5}}) {
    HBar(*z).Value(1);
    VBar(*z).Value(1);
    events.clear();
    GoDirection d = c.direction;
    z->Go(d);
    EXPECT_EQ(HBar(*z).Value(), c.h) << c.direction;
    EXPECT_EQ(VBar(*z).Value(), c.v) << c.direction;
    EXPECT_EQ(Pic(*z).Left(), -c.h);
    EXPECT_EQ(Pic(*z).Top(), -c.v);
    EXPECT_EQ(Count("PictureScrolled"), (c.h != 1) + (c.v != 1)) << c.direction;
    EXPECT_TRUE(Pic(*z).Visible());
    EXPECT_EQ(d, c.direction);  // by reference, but never changed
  }
}

TEST_F(Scrolling, GoAssignsTheHorizontalBarFirst) {
  auto z = SmallRanges();
  std::vector<std::string> order;
  onEvent = [&](std::string_view, std::span<Variant>) {
    order.push_back(std::to_string(HBar(*z).Value()) + "," + std::to_string(VBar(*z).Value()));
  };
  GoDirection d = gdBottomRight;
  z->Go(d);
  EXPECT_EQ(order, (std::vector<std::string>{"7,2", "7,5"}));
}

TEST_F(Scrolling, GoOutsideTheEnumerationOnlyShowsThePicture) {
  auto z = SmallRanges();
  for (int32_t value : {9, -1, 1000}) {
    Pic(*z).Visible(false);
    events.clear();
    GoDirection d = static_cast<GoDirection>(value);
    z->Go(d);
    EXPECT_TRUE(events.empty()) << value;
    EXPECT_TRUE(Pic(*z).Visible()) << value;
    EXPECT_EQ(HBar(*z).Value(), 4);
    EXPECT_EQ(VBar(*z).Value(), 2);
  }
}

TEST_F(Scrolling, ScrollStopsAtTheEndsAndScrollLoopWraps) {
  auto z = Tall();
  const auto scroll = [&](bool loop, ScrollDirection d, int16_t step, int16_t from) {
    VBar(*z).Value(from);
    HBar(*z).Value(0);
    int16_t s = step;
    loop ? z->ScrollLoop(d, s) : z->Scroll(d, s);
    EXPECT_EQ(s, step);
    return VBar(*z).Value();
  };
  EXPECT_EQ(scroll(false, sdDown, 10, 95), 100);
  EXPECT_EQ(scroll(true, sdDown, 10, 95), 0);
  EXPECT_EQ(scroll(false, sdDown, 10, 50), 60);
  EXPECT_EQ(scroll(false, sdcUp, 10, 10), 0);
  EXPECT_EQ(scroll(true, sdcUp, 10, 10), 100);
  EXPECT_EQ(scroll(false, sdcUp, 10, 11), 1);
  EXPECT_EQ(scroll(true, sdcUp, 10, 11), 1);
  EXPECT_EQ(Pic(*z).Top(), -1);

  // Repeated looping steps land exactly on the end and wrap from there.
  VBar(*z).Value(0);
  std::vector<int16_t> visited;
  for (int i = 0; i < 11; ++i) {
    visited.push_back(VBar(*z).Value());
    ScrollDirection d = sdDown;
    int16_t s = 10;
    z->ScrollLoop(d, s);
  }
  EXPECT_EQ(visited, (std::vector<int16_t>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0}));
}

TEST_F(Scrolling, HorizontalStepsAndTheLargestStep) {
  auto z = Wide();
  ScrollDirection right = sdRight;
  ScrollDirection left = sdLeft;
  int16_t big = 32767;
  HBar(*z).Value(1);
  z->Scroll(right, big);
  EXPECT_EQ(HBar(*z).Value(), 500);
  HBar(*z).Value(1);
  z->ScrollLoop(right, big);
  EXPECT_EQ(HBar(*z).Value(), 0);
  z->ScrollLoop(left, big);
  EXPECT_EQ(HBar(*z).Value(), 500);
  z->Scroll(left, big);
  EXPECT_EQ(HBar(*z).Value(), 0);
  int16_t step = 7;
  z->Scroll(right, step);
  EXPECT_EQ(HBar(*z).Value(), 7);
  EXPECT_EQ(Pic(*z).Left(), -7);
}

TEST_F(Scrolling, AStepBelowOneIsAbsorbedAsError1) {
  auto z = Tall();
  VBar(*z).Value(50);
  events.clear();
  Err().Clear();
  for (int16_t bad : {int16_t{0}, int16_t{-5}}) {
    ScrollDirection d = sdDown;
    int16_t s = bad;
    z->Scroll(d, s);
    z->ScrollLoop(d, s);
  }
  EXPECT_EQ(VBar(*z).Value(), 50);
  EXPECT_TRUE(events.empty());
  // The caller sees success; the error object still tells what happened.
  EXPECT_EQ(Err().Number(), 1);
  EXPECT_EQ(Err().Description(), "PixelsStep must be > 0");
}

TEST_F(Scrolling, WithoutAPictureNothingIsExamined) {
  auto z = Place(200, 150);
  Err().Clear();
  ScrollDirection d = sdDown;
  int16_t s = 0;
  z->Scroll(d, s);
  z->ScrollLoop(d, s);
  EXPECT_EQ(Err().Number(), 0);
  EXPECT_TRUE(events.empty());

  z->Picture(SolidPicture(180, 250));
  z->Clear();
  events.clear();
  s = 10;
  z->Scroll(d, s);
  z->ScrollLoop(d, s);
  EXPECT_TRUE(events.empty());
}

TEST_F(Scrolling, AnAxisWhereThePictureFitsDoesNotMove) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 250));  // exactly as wide as the control
  ASSERT_EQ(HBar(*z).Value(), 6);
  events.clear();
  for (ScrollDirection d : {sdLeft, sdRight}) {
    int16_t s = 3;
    z->Scroll(d, s);
    z->ScrollLoop(d, s);
  }
  EXPECT_EQ(HBar(*z).Value(), 6);
  // Other directions outside the enumeration do nothing either.
  ScrollDirection odd = static_cast<ScrollDirection>(4);
  int16_t s = 3;
  z->Scroll(odd, s);
  EXPECT_TRUE(events.empty());
  // The vertical axis still moves, even with the bars hidden.
  z->ScrollBars(sbNone);
  ScrollDirection down = sdDown;
  z->Scroll(down, s);
  EXPECT_EQ(VBar(*z).Value(), 53);
}

TEST_F(Scrolling, TheCornerButtonKeepsTheFocusOnThePicture) {
  auto z = SmallRanges();
  ASSERT_TRUE(Button(*z).Visible());
  events.clear();
  form->Click(190, 140);  // the button at (187, 137)
  EXPECT_EQ(Names(), (std::vector<std::string>{"ButtonClick"}));
  EXPECT_TRUE(Pic(*z).HasFocus());
}

TEST_F(Scrolling, ABarHandsTheFocusBack) {
  auto z = Wide();
  const int16_t before = HBar(*z).Value();
  form->Click(180, 140);  // the right arrow of the bar at (0, 137), 187 wide
  EXPECT_EQ(HBar(*z).Value(), before + 1);
  EXPECT_TRUE(Pic(*z).HasFocus());
  EXPECT_EQ(Pic(*z).Left(), -(before + 1));
}

TEST_F(Scrolling, DraggingTheThumbScrollsAtEveryMovement) {
  auto z = Wide();
  const PixelRect thumb = HBar(*z).Geometry().thumb;
  const int32_t x = thumb.left + thumb.width / 2;
  const int32_t y = 137 + thumb.top + thumb.height / 2;
  form->MouseDown(x, y);
  events.clear();
  std::vector<float> lefts;
  onEvent = [&](std::string_view, std::span<Variant>) { lefts.push_back(Pic(*z).Left()); };
  form->MouseMove(x + 10, y);
  form->MouseMove(x + 20, y);
  EXPECT_EQ(Count("PictureScrolled"), 2);
  EXPECT_EQ(Pic(*z).Left(), -HBar(*z).Value());
  form->MouseUp(x + 20, y);
  EXPECT_EQ(Pic(*z).Left(), -HBar(*z).Value());
  EXPECT_GT(HBar(*z).Value(), 250);
  EXPECT_TRUE(Pic(*z).HasFocus());
}

}  // namespace
}  // namespace lumora::testing
