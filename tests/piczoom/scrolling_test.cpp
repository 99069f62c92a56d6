// The viewport: its layout (which bars show, where everything goes, the ranges, the
// centring, the scrolling pointer); scrolling (the focus hand-back, the corner button, and
// Go, Scroll and ScrollLoop); and pointer and key input on the picture (dragging in screen
// pixels, and the arrow-key loop driven by input scheduled a number of yields ahead).
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Viewport : public PicZoomTest {
 protected:
  // What shows: 1 the horizontal bar, 2 the vertical one, 4 the corner button.
  static int Shown(ZelPicZoom& z) {
    return HBar(z).Visible() + 2 * VBar(z).Visible() + 4 * Button(z).Visible();
  }
  static std::vector<float> RectOf(const Control& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height()};
  }
  // Scrolls (or loops) from `from`; answers where that axis's bar ends up.
  static int16_t ScrollFrom(ZelPicZoom& z, bool loop, ScrollDirection d, int16_t step,
                            int16_t from) {
    ScrollBar& bar = d == sdLeft || d == sdRight ? HBar(z) : VBar(z);
    bar.Value(from);
    loop ? z.ScrollLoop(d, step) : z.Scroll(d, step);
    return bar.Value();
  }
  // A 300 x 250 picture in a 200 x 150 control (both bars' Max 113), at (50, 50).
  std::shared_ptr<ZelPicZoom> Viewer() {
    auto z = Place(200, 150, 20, 10);
    form->MoveOnScreen(300, 200);
    z->Picture(PatternPicture(300, 250));
    SetValues(*z, 50, 50);
    return z;
  }
  // Presses inside the viewport, moves by (dx, dy) with `buttons`, releases.
  void Drag(int32_t dx, int32_t dy, int16_t buttons = kLeftButton) {
    form->MouseDown(100, 80, kLeftButton);
    form->MouseMove(100 + dx, 80 + dy, buttons);
    form->MouseUp(100 + dx, 80 + dy, kLeftButton);
  }
};
using Layout = Viewport;
using Scrolling = Viewport;
using Input = Viewport;

// A picture of each size (0: none) in a 200 x 150 control: values round half to even
// (-18.5 to -18, 6.5 to 6); the bars leave the corner free and page by the inner size.
TEST_F(Layout, BarsRangesAndCentringForEachPictureSize) {
  struct Case {
    int32_t width, height, shown;
    std::pair<int, int> max, value;
    std::vector<float> pic;
  };
  for (const Case& c : {Case{400, 100, 5, {200, -37}, {100, -18}, {-100, 18, 400, 100}},
                        {0, 0, 0, {-13, -13}, {0, 0}, {0, 0, 200, 150}},
                        {200, 150, 0, {0, 0}, {0, 0}, {0, 0, 200, 150}},
                        {101, 50, 0, {-99, -100}, {-50, -50}, {50, 50, 101, 50}},
                        {200, 400, 6, {13, 250}, {6, 125}, {-6, -125, 200, 400}}}) {
    auto z = Place(200, 150);
    if (c.width) z->Picture(PatternPicture(c.width, c.height));
    EXPECT_EQ(Shown(*z), c.shown) << c.width << " x " << c.height;
    EXPECT_EQ((std::pair<int, int>(HBar(*z).Max(), VBar(*z).Max())), c.max);
    EXPECT_EQ(Values(*z), c.value);
    EXPECT_EQ(RectOf(Pic(*z)), c.pic);
    EXPECT_EQ(z->MousePointer(), c.shown ? mpCustom : mpDefault);
    EXPECT_EQ(RectOf(HBar(*z)), (std::vector<float>{0, 137, 187, 13}));
    EXPECT_EQ(RectOf(VBar(*z)), (std::vector<float>{187, 0, 13, 137}));
    EXPECT_EQ((std::pair<int, int>(HBar(*z).LargeChange(), VBar(*z).LargeChange())),
              std::pair(200, 150));
    form->Remove(*z);
  }
}

TEST_F(Layout, ScrollBarModesAndTheRoomKeptForTwoBars) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  z->ScrollBars(sbNone);
  EXPECT_EQ(Shown(*z), 0);
  // Another value keeps the bars as they were and recomputes the rest.
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_EQ(Shown(*z), 0);
  z->ScrollBars(sbAutomatic);
  z->ScrollBars(static_cast<lumora::ScrollBars>(2));
  EXPECT_EQ(Shown(*z), 7);
  z->Width(10 * 15);
  z->Height(0);
  EXPECT_EQ((std::pair<int, int>(z->ScaleWidth(), z->ScaleHeight())), std::pair(26, 26));
}

// Each anchor from (1, 1) with HScroll.Max 7 and VScroll.Max 5, and which
// edges PicturePosition then finds in view; an unknown direction moves nothing.
TEST_F(Scrolling, GoJumpsToEachAnchorAndPicturePositionTellsTheEdgesInView) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(207, 142));
  struct Case {
    GoDirection direction;
    int h, v;
  };
  const Case cases[] = {{gdTop, 4, 0},         {gdBottom, 4, 5},     {gdLeft, 0, 2},
                        {gdRight, 7, 2},       {gdCenter, 4, 2},     {gdTopLeft, 0, 0},
                        {gdTopRight, 7, 0},    {gdBottomLeft, 0, 5}, {gdBottomRight, 7, 5},
                        {GoDirection{9}, 1, 1}};
  for (const auto& [direction, h, v] : cases) {
    SetValues(*z, 1, 1);
    GoDirection d = direction;
    z->Go(d);
    EXPECT_EQ((std::pair<int, int>(-Pic(*z).Left(), -Pic(*z).Top())), std::pair(h, v)) << d;
    const PicturePositions p = z->PicturePosition();
    EXPECT_EQ((std::vector<int>{p.ppTop, p.ppBottom, p.ppLeft, p.ppRight}),
              (std::vector<int>{-(v == 0), -(v == 5), -(h == 0), -(h == 7)}));
  }
}

// (picture width, loop, direction, step, from) and where the bar ends: Scroll stops at the
// ends, ScrollLoop wraps; with 700 x 250, HScroll.Max 513 and VScroll.Max 113; an axis where
// the picture fits does not move. A step below one moves nothing and is absorbed as error 1,
// once there is a picture.
TEST_F(Scrolling, ScrollStopsAtTheEndsAndScrollLoopWraps) {
  struct Case {
    int32_t width;
    bool loop;
    ScrollDirection d;
    int16_t step, from, to;
  };
  auto z = Place(200, 150);
  EXPECT_EQ(ScrollFrom(*z, false, sdDown, 0, 0), 0);  // without a picture nothing is examined
  EXPECT_EQ(Err().Number(), 0);
  const Case cases[] = {{700, false, sdDown, 10, 105, 113},  {700, true, sdDown, 10, 105, 0},
                        {700, false, sdDown, 10, 50, 60},    {700, false, sdcUp, 10, 10, 0},
                        {700, true, sdcUp, 10, 10, 113},     {700, false, sdcUp, 10, 11, 1},
                        {700, true, sdDown, 10, 103, 0},     {700, false, sdRight, 32767, 1, 513},
                        {700, true, sdRight, 32767, 1, 0},   {700, true, sdLeft, 32767, 0, 513},
                        {700, false, sdLeft, 32767, 513, 0}, {700, false, sdRight, 7, 0, 7},
                        {200, false, sdLeft, 3, 6, 6},       {200, false, sdRight, 3, 6, 6},
                        {180, false, sdDown, 0, 50, 50},     {180, true, sdDown, -5, 50, 50}};
  for (const Case& c : cases) {
    z->Picture(SolidPicture(c.width, 250));
    EXPECT_EQ(ScrollFrom(*z, c.loop, c.d, c.step, c.from), c.to)
        << c.width << " " << c.loop << " " << c.d << " from " << c.from;
  }
  // The caller sees success; the error object still tells what happened.
  EXPECT_EQ(Err().Number(), 1);
  EXPECT_EQ(Err().Description(), "PixelsStep must be > 0");
}

TEST_F(Scrolling, TheBarsAndTheCornerButtonHandTheFocusBack) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(700, 250));
  form->Click(190, 140);  // the button at (187, 137)
  EXPECT_TRUE(Pic(*z).HasFocus());
  form->Click(180, 140);  // the right arrow of the bar at (0, 137), 187 wide
  EXPECT_TRUE(Pic(*z).HasFocus());
  // Dragging the thumb scrolls while it moves.
  const PixelRect thumb = HBar(*z).Geometry().thumb;
  const int32_t x = thumb.left + thumb.width / 2, y = 137 + thumb.top + thumb.height / 2;
  form->MouseDown(x, y);
  form->MouseMove(x + 10, y);
  EXPECT_EQ(Pic(*z).Left(), -HBar(*z).Value());
}

TEST_F(Input, TheDragMovesThePictureWithThePointerWithinTheEnds) {
  auto z = Viewer();
  for (auto [h, v, dx, dy, to] : {std::tuple{50, 50, 7, -3, std::pair{43, 53}},
                                  {110, 3, -20, 20, std::pair{113, 0}},
                                  {3, 110, 20, -20, std::pair{0, 113}}}) {
    SetValues(*z, static_cast<int16_t>(h), static_cast<int16_t>(v));
    Drag(dx, dy);
    EXPECT_EQ(Values(*z), to) << dx << "," << dy;
  }
  // The anchor moves with each step: two moves of 5 make 10.
  SetValues(*z, 50, 50);
  form->MouseDown(100, 80);
  form->MouseMove(95, 80, kLeftButton);
  form->MouseMove(90, 80, kLeftButton);
  form->MouseUp(90, 80);
  EXPECT_EQ(HBar(*z).Value(), 60);
  // A picture no taller than the control does not move vertically.
  z->Picture(SolidPicture(300, 100));
  const int16_t v = VBar(*z).Value();
  Drag(0, 30);
  EXPECT_EQ(VBar(*z).Value(), v);
}

TEST_F(Input, DragsThatDoNotQualifyMoveNothingButAreStillRaised) {
  auto z = Viewer();
  auto other = Place(100, 100, 300, 10);
  Drag(10, 10, kLeftButton | kRightButton);                       // Button 3
  onEvent = [](std::string_view name, std::span<Variant> args) {  // a host clearing Button
    if (name == "MouseMove") args[0] = Variant(int16_t{0});
  };
  Drag(10, 10);
  onEvent = nullptr;
  z->MouseScrolling(false);
  Drag(10, 10);
  // A release on another instance clears the thread-wide flag.
  z->MouseScrolling(true);
  form->MouseDown(100, 80);
  int16_t button = kLeftButton, shift = 0;
  float x = 0, y = 0;
  Pic(*other).MouseUp.Raise(button, shift, x, y);
  form->MouseMove(90, 80, kLeftButton);
  form->MouseUp(90, 80);
  z->Clear();
  Drag(10, 10);
  EXPECT_EQ(Count("MouseMove"), 5);
  EXPECT_EQ(Values(*z), std::pair(50, 50));
  EXPECT_EQ(Count("PictureScrolled"), 0);
}

// From (h, v), `key` held: one pixel per yield, Shift or not, nothing at
// either end, until `other` is released `upAt` yields ahead (any key's release
// ends the loop). Key-downs of `other` arriving `downsAt` yields ahead (auto-
// repeat, or another arrow) are raised but leave the running loop in charge.
// MouseScrolling does not matter.
TEST_F(Input, AHeldArrowMovesOnePixelPerYieldUntilTheKeyUp) {
  struct Case {
    int16_t key, shift;
    std::pair<int, int> from;
    std::vector<int32_t> downsAt;
    int16_t other;
    int32_t upAt;
    std::pair<int, int> to;
  };
  auto z = Viewer();
  z->MouseScrolling(false);
  for (const Case& c : {Case{kKeyRight, 0, {50, 50}, {}, kKeyRight, 5, {55, 50}},
                        {kKeyDown, kShiftMask, {50, 50}, {}, kKeyDown, 1, {50, 51}},
                        {kKeyUp, 0, {50, 50}, {}, kKeyUp, 2, {50, 48}},
                        {kKeyLeft, kShiftMask, {50, 50}, {}, kKeyLeft, 3, {47, 50}},
                        {kKeyRight, 0, {111, 2}, {}, 'A', 6, {113, 2}},
                        {kKeyUp, 0, {111, 2}, {}, 'A', 4, {111, 0}},
                        {kKeyRight, 0, {50, 50}, {2, 3, 4}, kKeyRight, 6, {56, 50}},
                        {kKeyRight, 0, {50, 50}, {2}, kKeyDown, 5, {55, 50}}}) {
    SetValues(*z, static_cast<int16_t>(c.from.first), static_cast<int16_t>(c.from.second));
    for (int32_t at : c.downsAt)
      ScheduleAfterYields(at, Message::Key(MessageKind::KeyDown, form, c.other));
    ScheduleAfterYields(c.upAt, Message::Key(MessageKind::KeyUp, form, c.other));
    form->KeyDown(c.key, c.shift);
    EXPECT_EQ(Values(*z), c.to) << c.key << " from " << c.from.first << "," << c.from.second;
    EXPECT_EQ(Count("KeyDown"), 1 + static_cast<int>(c.downsAt.size()));
    EXPECT_EQ(Count("PictureScrolled"),
              std::abs(c.to.first - c.from.first + c.to.second - c.from.second));
  }
}

}  // namespace
}  // namespace lumora::testing
