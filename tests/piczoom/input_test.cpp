// Pointer and key input on the picture: every event passed to the host first
// (arguments by reference), dragging in screen pixels, and the arrow-key loop
// driven by input scheduled a number of yields ahead.
#include "piczoom_fixture.hpp"
#include "platform/controls/text_box.hpp"

namespace lumora::testing {
namespace {

class Input : public PicZoomTest {
 protected:
  // A 200 x 150 control at (20, 10) on a form whose client area starts at
  // (300, 200) on the screen, showing a 300 x 250 picture: HScroll.Max 113,
  // VScroll.Max 113, both bars shown.
  std::shared_ptr<ZelPicZoom> Viewer() {
    auto z = Place(200, 150, 20, 10);
    form->MoveOnScreen(300, 200);
    z->Picture(PatternPicture(300, 250));
    EXPECT_EQ(HBar(*z).Max(), 113);
    EXPECT_EQ(VBar(*z).Max(), 113);
    EXPECT_TRUE(Pic(*z).HasFocus());
    events.clear();
    return z;
  }
  // Presses at a form point inside the viewport, moves by (dx, dy) in one
  // step with the given buttons, then releases.
  void Drag(int32_t dx, int32_t dy, int16_t buttons = kLeftButton) {
    form->MouseDown(100, 80, kLeftButton);
    form->MouseMove(100 + dx, 80 + dy, buttons);
    form->MouseUp(100 + dx, 80 + dy, kLeftButton);
  }
  void SetValues(ZelPicZoom& z, int16_t h, int16_t v) {
    HBar(z).Value(h);
    VBar(z).Value(v);
    events.clear();
  }
  // Schedules a key going up after `yields` yields.
  void KeyUpAfter(int32_t yields, int16_t key) {
    ScheduleAfterYields(yields, Message::Key(MessageKind::KeyUp, form, key));
  }
};

TEST_F(Input, TheDragMovesThePictureWithThePointer) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  Drag(7, -3);  // 7 right and 3 up
  EXPECT_EQ(HBar(*z).Value(), 43);
  EXPECT_EQ(VBar(*z).Value(), 53);
  EXPECT_EQ(Pic(*z).Left(), -43);
  EXPECT_EQ(Pic(*z).Top(), -53);
  EXPECT_EQ(Names(), (std::vector<std::string>{"MouseDown", "MouseMove", "PictureScrolled",
                                               "PictureScrolled", "MouseUp", "Click"}));
  // The anchor moves with each step: two moves of 5 make 10.
  form->MouseDown(100, 80);
  form->MouseMove(95, 80, kLeftButton);
  form->MouseMove(90, 80, kLeftButton);
  form->MouseUp(90, 80);
  EXPECT_EQ(HBar(*z).Value(), 53);
}

TEST_F(Input, TheDragStopsAtBothEnds) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(300, 100));
  ASSERT_EQ(HBar(*z).Max(), 100);
  SetValues(*z, 95, VBar(*z).Value());
  Drag(-20, 0);
  EXPECT_EQ(HBar(*z).Value(), 100);
  SetValues(*z, 15, VBar(*z).Value());
  Drag(20, 0);
  EXPECT_EQ(HBar(*z).Value(), 0);
  // The picture is not taller than the control: nothing moves vertically.
  const int16_t v = VBar(*z).Value();
  Drag(0, 30);
  EXPECT_EQ(VBar(*z).Value(), v);
}

TEST_F(Input, PointerEventsCarryTheirArgumentsToTheHost) {
  auto z = Viewer();
  SetValues(*z, 10, 20);
  form->MouseDown(100, 80, kLeftButton, kShiftMask);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].dispid, 7);
  // Relative to the picture's own corner: the control at (20, 10), the
  // picture at (-10, -20) inside it.
  EXPECT_EQ(events[0].args, (std::vector<Variant>{Variant(int16_t{1}), Variant(int16_t{1}),
                                                  Variant(90.0f), Variant(90.0f)}));
  form->MouseUp(100, 80);
  form->DoubleClick(100, 80);
  form->KeyPress('a');
  EXPECT_EQ(Count("Click"), 2);
  EXPECT_EQ(Count("DblClick"), 1);
  EXPECT_EQ(Count("KeyPress"), 1);
}

TEST_F(Input, DragsThatDoNotQualifyMoveNothingButAreStillRaised) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  Drag(10, 10, kLeftButton | kRightButton);  // Button 3
  EXPECT_EQ(Count("MouseMove"), 1);

  // A host that clears Button stops the step.
  onEvent = [](std::string_view name, std::span<Variant> args) {
    if (name == "MouseMove") args[0] = Variant(int16_t{0});
  };
  Drag(10, 10);
  onEvent = nullptr;
  EXPECT_EQ(Count("MouseMove"), 2);

  z->MouseScrolling(false);
  Drag(10, 10);
  EXPECT_EQ(Count("MouseMove"), 3);
  EXPECT_EQ(HBar(*z).Value(), 50);
  EXPECT_EQ(VBar(*z).Value(), 50);
  EXPECT_EQ(Count("PictureScrolled"), 0);

  z->MouseScrolling(true);
  z->Clear();
  events.clear();
  Drag(10, 10);
  EXPECT_EQ(Count("MouseMove"), 1);
  EXPECT_EQ(Count("PictureScrolled"), 0);
}

TEST_F(Input, AHostMayRewriteAMoveIntoADrag) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  // The move arrives with no button; the host's handler says left.
  onEvent = [](std::string_view name, std::span<Variant> args) {
    if (name == "MouseMove") args[0] = Variant(int16_t{1});
  };
  Drag(-4, 0, 0);
  EXPECT_EQ(HBar(*z).Value(), 54);
}

TEST_F(Input, AHeldArrowMovesOnePixelPerYieldUntilTheKeyUp) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  const int64_t yields = YieldCount();
  KeyUpAfter(5, kKeyRight);
  form->KeyDown(kKeyRight);
  EXPECT_EQ(HBar(*z).Value(), 55);
  EXPECT_EQ(YieldCount() - yields, 5);
  EXPECT_EQ(Count("PictureScrolled"), 5);
  EXPECT_EQ(Names().front(), "KeyDown");
  EXPECT_EQ(Count("KeyUp"), 1);

  // A tap moves one pixel; Shift does not matter; every arrow works.
  KeyUpAfter(1, kKeyDown);
  form->KeyDown(kKeyDown, kShiftMask);
  EXPECT_EQ(VBar(*z).Value(), 51);
  KeyUpAfter(2, kKeyUp);
  form->KeyDown(kKeyUp);
  EXPECT_EQ(VBar(*z).Value(), 49);
  KeyUpAfter(3, kKeyLeft);
  form->KeyDown(kKeyLeft, kShiftMask);
  EXPECT_EQ(HBar(*z).Value(), 52);
}

TEST_F(Input, AtTheEndTheLoopYieldsWithoutMoving) {
  auto z = Viewer();
  SetValues(*z, 111, 50);
  KeyUpAfter(6, 'A');  // any key's release ends the loop
  form->KeyDown(kKeyRight);
  EXPECT_EQ(HBar(*z).Value(), 113);
  EXPECT_EQ(Count("PictureScrolled"), 2);
  EXPECT_EQ(ScheduledCount(), 0u);
}

TEST_F(Input, AnAutoRepeatedKeyDownStartsNoSecondLoop) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  for (int32_t at : {2, 3, 4})
    ScheduleAfterYields(at, Message::Key(MessageKind::KeyDown, form, kKeyRight));
  KeyUpAfter(6, kKeyRight);
  form->KeyDown(kKeyRight);
  EXPECT_EQ(Count("KeyDown"), 4);   // each one is raised to the host
  EXPECT_EQ(HBar(*z).Value(), 56);  // but only the first loop moves
}

TEST_F(Input, AnotherArrowPressedDuringTheLoopLeavesTheRunningLoopInCharge) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  ScheduleAfterYields(2, Message::Key(MessageKind::KeyDown, form, kKeyDown));
  KeyUpAfter(5, kKeyDown);
  form->KeyDown(kKeyRight);
  // The right arrow's loop went on for all five yields; the down arrow was
  // raised but scrolled nothing.
  EXPECT_EQ(HBar(*z).Value(), 55);
  EXPECT_EQ(VBar(*z).Value(), 50);
  EXPECT_EQ(Count("KeyDown"), 2);
}

TEST_F(Input, LosingTheFocusEndsTheLoop) {
  auto z = Viewer();
  auto other = form->Add<TextBox>("Other", 0, 3000, 1500, 300);
  SetValues(*z, 50, 50);
  ScheduleAfterYields(3, [&] { form->MoveFocusTo(*other); });
  KeyUpAfter(50, kKeyRight);  // goes to the text box, if the loop waited that long
  form->KeyDown(kKeyRight);
  EXPECT_EQ(HBar(*z).Value(), 53);
  EXPECT_EQ(ScheduledCount(), 1u);
  EXPECT_EQ(Count("KeyUp"), 0);
}

TEST_F(Input, OnlyArrowsScrollAndAHostCanSuppressThem) {
  auto z = Viewer();
  SetValues(*z, 50, 50);
  const int64_t yields = YieldCount();
  for (int16_t key : {kKeyPageUp, kKeyPageDown, kKeyHome, kKeyEnd, int16_t{'A'}}) {
    form->KeyDown(key);
    form->KeyUp(key);
  }
  EXPECT_EQ(YieldCount(), yields);
  EXPECT_EQ(Count("KeyDown"), 5);
  EXPECT_EQ(Count("KeyUp"), 5);

  onEvent = [](std::string_view name, std::span<Variant> args) {
    if (name == "KeyDown") args[0] = Variant(int16_t{0});
  };
  form->KeyDown(kKeyRight);
  EXPECT_EQ(YieldCount(), yields);
  EXPECT_EQ(HBar(*z).Value(), 50);
  EXPECT_EQ(VBar(*z).Value(), 50);
  EXPECT_EQ(Count("PictureScrolled"), 0);
}

TEST_F(Input, TheKeyboardIgnoresMouseScrolling) {
  auto z = Viewer();
  z->MouseScrolling(false);
  SetValues(*z, 50, 50);
  KeyUpAfter(2, kKeyDown);
  form->KeyDown(kKeyDown);
  EXPECT_EQ(VBar(*z).Value(), 52);
}

TEST_F(Input, AReleaseOnAnotherInstanceDisarmsTheDrag) {
  auto z = Viewer();
  auto other = Place(100, 100, 300, 10);
  other->Picture(SolidPicture(50, 50));
  SetValues(*z, 50, 50);
  form->MouseDown(100, 80);
  // A release on the other instance's picture (say, delivered by a host that
  // moved the capture) clears the thread-wide flag.
  int16_t button = kLeftButton, shift = 0;
  float x = 0, y = 0;
  Pic(*other).MouseUp.Raise(button, shift, x, y);
  form->MouseMove(90, 80, kLeftButton);
  EXPECT_EQ(HBar(*z).Value(), 50);
  form->MouseUp(90, 80);
}

}  // namespace
}  // namespace lumora::testing
