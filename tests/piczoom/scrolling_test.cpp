// Scrolling: the focus hand-back, the corner button, and Go, Scroll and
// ScrollLoop.
#include "frame/dispids.hpp"
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Scrolling : public PicZoomTest {
 protected:
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

// Each anchor from (1, 1) with HScroll.Max 7 and VScroll.Max 5, the
// horizontal bar moved first; an unknown direction moves nothing.
TEST_F(Scrolling, GoJumpsToEachAnchorHorizontalFirst) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(207, 142));
  std::vector<std::pair<int, int>> order;
  onEvent = [&](std::string_view, std::span<Variant>) { order.push_back(Values(*z)); };
  for (const auto& [direction, h, v] : {std::tuple{gdTop, 4, 0},
                                        {gdBottom, 4, 5},
                                        {gdLeft, 0, 2},
                                        {gdRight, 7, 2},
                                        {gdCenter, 4, 2},
                                        {gdTopLeft, 0, 0},
                                        {gdTopRight, 7, 0},
                                        {gdBottomLeft, 0, 5},
                                        {gdBottomRight, 7, 5},
                                        {GoDirection{9}, 1, 1},
                                        {GoDirection{-1}, 1, 1}}) {
    SCOPED_TRACE(direction);
    SetValues(*z, 1, 1);
    Pic(*z).Visible(false);
    order.clear();
    GoDirection d = direction;
    z->Go(d);
    EXPECT_EQ(d, direction);
    EXPECT_EQ((std::pair<int, int>(-Pic(*z).Left(), -Pic(*z).Top())), std::pair(h, v));
    std::vector<std::pair<int, int>> want;
    if (h != 1) want.emplace_back(h, 1);
    if (v != 1) want.emplace_back(h, v);
    EXPECT_EQ(order, want);
    EXPECT_TRUE(Pic(*z).Visible());
  }
}

// (loop, direction, step, from) and where the bar ends: Scroll stops at the
// ends, ScrollLoop wraps; HScroll.Max 513 and VScroll.Max 113.
TEST_F(Scrolling, ScrollStopsAtTheEndsAndScrollLoopWraps) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(700, 250));
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
  EXPECT_EQ(Err().Number(), 0);
  z->Picture(SolidPicture(180, 250));
  for (int16_t bad : {int16_t{0}, int16_t{-5}}) {
    EXPECT_EQ(ScrollFrom(*z, false, sdDown, bad, 50), 50);
    EXPECT_EQ(ScrollFrom(*z, true, sdDown, bad, 50), 50);
  }
  // The caller sees success; the error object still tells what happened.
  EXPECT_EQ(Err().Number(), 1);
  EXPECT_EQ(Err().Description(), "PixelsStep must be > 0");
}

TEST_F(Scrolling, AnAxisWhereThePictureFitsDoesNotMove) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 250));  // exactly as wide as the control
  ASSERT_EQ(HBar(*z).Value(), 6);
  for (ScrollDirection d : {sdLeft, sdRight}) {
    EXPECT_EQ(ScrollFrom(*z, false, d, 3, 6), 6);
    EXPECT_EQ(ScrollFrom(*z, true, d, 3, 6), 6);
  }
  z->ScrollBars(sbNone);  // the vertical axis still moves, even with the bars hidden
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
  EXPECT_EQ(Pic(*z).Left(), -(before + 1));
  EXPECT_TRUE(Pic(*z).HasFocus());
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
  EXPECT_TRUE(Pic(*z).HasFocus());
}

}  // namespace
}  // namespace lumora::testing
