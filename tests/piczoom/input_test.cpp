// Pointer and key input on the picture: dragging in screen pixels, and the
// arrow-key loop driven by input scheduled a number of yields ahead.
#include "piczoom_fixture.hpp"

namespace lumora::testing {
namespace {

class Input : public PicZoomTest {
 protected:
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
  // Presses `key`, with `schedule` a list of (yields, kind, key) to arrive
  // during the loop.
  void Press(int16_t key, std::vector<std::tuple<int32_t, MessageKind, int16_t>> schedule,
             int16_t shift = 0) {
    for (auto [at, kind, k] : schedule) ScheduleAfterYields(at, Message::Key(kind, form, k));
    form->KeyDown(key, shift);
  }
  static constexpr MessageKind kUp = MessageKind::KeyUp, kDown = MessageKind::KeyDown;
};

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
  other->Picture(SolidPicture(50, 50));
  SetValues(*z, 50, 50);
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

TEST_F(Input, AHeldArrowMovesOnePixelPerYieldUntilTheKeyUp) {
  auto z = Viewer();
  const int64_t yields = YieldCount();
  Press(kKeyRight, {{5, kUp, kKeyRight}});
  EXPECT_EQ(HBar(*z).Value(), 55);
  EXPECT_EQ(YieldCount() - yields, 5);
  // A tap moves one pixel; Shift does not matter; every arrow works, also
  // with MouseScrolling off.
  z->MouseScrolling(false);
  Press(kKeyDown, {{1, kUp, kKeyDown}}, kShiftMask);
  EXPECT_EQ(VBar(*z).Value(), 51);
  Press(kKeyUp, {{2, kUp, kKeyUp}});
  EXPECT_EQ(VBar(*z).Value(), 49);
  Press(kKeyLeft, {{3, kUp, kKeyLeft}}, kShiftMask);
  EXPECT_EQ(HBar(*z).Value(), 52);
  // At either end the loop yields without moving; any key's release ends it.
  SetValues(*z, 111, 2);
  Press(kKeyRight, {{6, kUp, 'A'}});
  Press(kKeyUp, {{4, kUp, 'A'}});
  EXPECT_EQ(Values(*z), std::pair(113, 0));
  EXPECT_EQ(Count("PictureScrolled"), 4);
  EXPECT_EQ(ScheduledCount(), 0u);
}

TEST_F(Input, KeysArrivingDuringTheLoopStartNoSecondLoop) {
  auto z = Viewer();
  // Auto-repeated key-downs are each raised, but only the first loop moves.
  Press(kKeyRight,
        {{2, kDown, kKeyRight}, {3, kDown, kKeyRight}, {4, kDown, kKeyRight}, {6, kUp, kKeyRight}});
  EXPECT_EQ(Count("KeyDown"), 4);
  EXPECT_EQ(HBar(*z).Value(), 56);
  // Another arrow leaves the running loop in charge.
  SetValues(*z, 50, 50);
  Press(kKeyRight, {{2, kDown, kKeyDown}, {5, kUp, kKeyDown}});
  EXPECT_EQ(Values(*z), std::pair(55, 50));
}

}  // namespace
}  // namespace lumora::testing
