// Scrolling: the bars' change handlers, the focus hand-back, the corner
// button, and Go, Scroll and ScrollLoop.
#include "frame/dispids.hpp"
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Scrolling : public PicZoomTest {
 protected:
  // HScroll.Max 7 and VScroll.Max 5 (only the horizontal bar shows).
  std::shared_ptr<ZelPicZoom> SmallRanges() {
    auto z = Place(200, 150);
    z->Picture(PatternPicture(207, 142));
    return z;
  }
  // Scrolls (or loops) from `from` on the axis the direction moves and
  // answers where that bar ends up.
  static int16_t ScrollFrom(ZelPicZoom& z, bool loop, ScrollDirection d, int16_t step,
                            int16_t from) {
    ScrollBar& bar = d == sdLeft || d == sdRight ? HBar(z) : VBar(z);
    bar.Value(from);
    int16_t s = step;
    loop ? z.ScrollLoop(d, s) : z.Scroll(d, s);
    EXPECT_EQ(s, step);  // by reference, but never changed
    return bar.Value();
  }
};

TEST_F(Scrolling, GoJumpsToEachAnchorHorizontalFirst) {
  auto z = SmallRanges();
  struct Case {
    int32_t direction;
    int16_t h, v;
  };
  std::vector<std::string> order;
  onEvent = [&](std::string_view, std::span<Variant>) {
    order.push_back(std::to_string(HBar(*z).Value()) + "," + std::to_string(VBar(*z).Value()));
  };
  for (const Case c : {Case{gdTop, 4, 0},
                       {gdBottom, 4, 5},
                       {gdLeft, 0, 2},
                       {gdRight, 7, 2},
                       {gdCenter, 4, 2},
                       {gdTopLeft, 0, 0},
                       {gdTopRight, 7, 0},
                       {gdBottomLeft, 0, 5},
                       {gdBottomRight, 7, 5},
                       {9, 1, 1},
                       {-1, 1, 1}}) {
    SCOPED_TRACE(c.direction);
    SetValues(*z, 1, 1);
    Pic(*z).Visible(false);
    order.clear();
    GoDirection d = static_cast<GoDirection>(c.direction);
    z->Go(d);
    EXPECT_EQ(d, c.direction);
    EXPECT_EQ(HBar(*z).Value(), c.h);
    EXPECT_EQ(VBar(*z).Value(), c.v);
    EXPECT_EQ(Pic(*z).Left(), -c.h);
    EXPECT_EQ(Pic(*z).Top(), -c.v);
    std::vector<std::string> want;
    if (c.h != 1) want.push_back(std::to_string(c.h) + ",1");
    if (c.v != 1) want.push_back(std::to_string(c.h) + "," + std::to_string(c.v));
    EXPECT_EQ(order, want);
    EXPECT_TRUE(Pic(*z).Visible());
  }
}

// (loop, direction, step, from) and where the bar ends: Scroll stops at the
// ends, ScrollLoop wraps; a 200 x 150 control with VScroll.Max 100 and
// HScroll.Max 500.
TEST_F(Scrolling, ScrollStopsAtTheEndsAndScrollLoopWraps) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(700, 250));
  ASSERT_EQ(HBar(*z).Max(), 513);
  ASSERT_EQ(VBar(*z).Max(), 113);
  struct Case {
    bool loop;
    ScrollDirection d;
    int16_t step, from, to;
  };
  for (const Case& c : {Case{false, sdDown, 10, 105, 113},
                        {true, sdDown, 10, 105, 0},
                        {false, sdDown, 10, 50, 60},
                        {false, sdcUp, 10, 10, 0},
                        {true, sdcUp, 10, 10, 113},
                        {false, sdcUp, 10, 11, 1},
                        {true, sdcUp, 10, 11, 1},
                        {true, sdDown, 10, 103, 0},
                        {true, sdDown, 10, 113, 0},
                        {false, sdRight, 32767, 1, 513},
                        {true, sdRight, 32767, 1, 0},
                        {true, sdLeft, 32767, 0, 513},
                        {false, sdLeft, 32767, 513, 0},
                        {false, sdRight, 7, 0, 7}}) {
    SCOPED_TRACE(std::to_string(c.loop) + " " + std::to_string(c.d) + " from " +
                 std::to_string(c.from));
    EXPECT_EQ(ScrollFrom(*z, c.loop, c.d, c.step, c.from), c.to);
  }
  EXPECT_EQ(Pic(*z).Left(), -7);
}

TEST_F(Scrolling, AStepBelowOneIsAbsorbedAsError1) {
  auto z = Place(200, 150);
  ScrollDirection down = sdDown;
  int16_t zero = 0;
  z->Scroll(down, zero);  // without a picture nothing is examined
  z->ScrollLoop(down, zero);
  EXPECT_EQ(Err().Number(), 0);
  z->Picture(SolidPicture(180, 250));
  VBar(*z).Value(50);
  events.clear();
  for (int16_t bad : {int16_t{0}, int16_t{-5}}) {
    EXPECT_EQ(ScrollFrom(*z, false, sdDown, bad, 50), 50);
    EXPECT_EQ(ScrollFrom(*z, true, sdDown, bad, 50), 50);
  }
  EXPECT_TRUE(events.empty());
  // The caller sees success; the error object still tells what happened.
  EXPECT_EQ(Err().Number(), 1);
  EXPECT_EQ(Err().Description(), "PixelsStep must be > 0");
  z->Clear();
  events.clear();
  int16_t ten = 10;
  z->Scroll(down, ten);
  z->ScrollLoop(down, ten);
  EXPECT_TRUE(events.empty());
}

TEST_F(Scrolling, AnAxisWhereThePictureFitsDoesNotMove) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 250));  // exactly as wide as the control
  ASSERT_EQ(HBar(*z).Value(), 6);
  events.clear();
  for (ScrollDirection d : {sdLeft, sdRight, static_cast<ScrollDirection>(4)}) {
    int16_t s = 3;
    z->Scroll(d, s);
    z->ScrollLoop(d, s);
  }
  EXPECT_EQ(HBar(*z).Value(), 6);
  EXPECT_TRUE(events.empty());
  // The vertical axis still moves, even with the bars hidden.
  z->ScrollBars(sbNone);
  EXPECT_EQ(ScrollFrom(*z, false, sdDown, 3, 50), 53);
}

TEST_F(Scrolling, TheBarsAndTheCornerButtonHandTheFocusBack) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(700, 250));
  events.clear();
  form->Click(190, 140);  // the button at (187, 137)
  EXPECT_EQ(Names(), (std::vector<std::string>{"ButtonClick"}));
  EXPECT_EQ(events.back().dispid, PicZoomEvent::ButtonClick);
  EXPECT_TRUE(Pic(*z).HasFocus());
  const int16_t before = HBar(*z).Value();
  form->Click(180, 140);  // the right arrow of the bar at (0, 137), 187 wide
  EXPECT_EQ(HBar(*z).Value(), before + 1);
  EXPECT_TRUE(Pic(*z).HasFocus());
  EXPECT_EQ(Pic(*z).Left(), -(before + 1));
  // Dragging the thumb scrolls at every movement.
  const PixelRect thumb = HBar(*z).Geometry().thumb;
  const int32_t x = thumb.left + thumb.width / 2, y = 137 + thumb.top + thumb.height / 2;
  form->MouseDown(x, y);
  events.clear();
  form->MouseMove(x + 10, y);
  form->MouseMove(x + 20, y);
  EXPECT_EQ(Count("PictureScrolled"), 2);
  form->MouseUp(x + 20, y);
  EXPECT_EQ(Pic(*z).Left(), -HBar(*z).Value());
  EXPECT_GT(HBar(*z).Value(), 250);
  EXPECT_TRUE(Pic(*z).HasFocus());
}

}  // namespace
}  // namespace lumora::testing
