// The scroll buttons with scheduled input: the held-button loop, its end, the
// pictures while held, and the pointer events in container coordinates.
#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"

namespace lumora {
namespace {

class Buttons : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }

  // Presses a button with `button` at its centre; returns after the press
  // handler's loop ended. The release, if wanted, is scheduled beforehand.
  void Press(Image& target, int16_t button = kLeftButton) {
    form->MouseDown(CenterX(target), CenterY(target), button);
  }
  void ReleaseAfter(int32_t yields, Image& target, int16_t button = kLeftButton) {
    ScheduleAfterYields(yields, Message::Mouse(MessageKind::MouseUp, form, CenterX(target),
                                               CenterY(target), button));
  }
  // Passes made by a press: each pass yields once.
  int64_t PassesOf(const std::function<void()>& press) {
    const int64_t before = YieldCount();
    press();
    return YieldCount() - before;
  }
};

TEST_F(Buttons, HoldingDownRunsToTheEndAndGreysWhileHeld) {
  Place(500, 500);
  Place(2000, 950);         // bottom + margin = ScaleHeight + 10
  Place(9000, 400, false);  // hidden, far below: carried along only
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->DownState(), "U");
  std::vector<std::string> statesWhileHeld;
  for (int32_t pass = 1; pass <= 11; ++pass)
    ScheduleAfterYields(pass, [&] { statesWhileHeld.push_back(probe->DownState()); });

  EXPECT_EQ(PassesOf([&] { Press(probe->sD()); }), 11);
  EXPECT_EQ(Tops(), (std::vector<float>{489, 1989, 8989}));
  // Pressed while the contents could scroll, greyed from the pass that
  // reached the end (the tenth) on.
  std::vector<std::string> expected(9, "D");
  expected.insert(expected.end(), {"N", "N"});
  EXPECT_EQ(statesWhileHeld, expected);
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_FALSE(probe->DownReleased());
  EXPECT_FALSE(probe->sD().Enabled());

  // The release reaches the disabled button all the same.
  form->MouseUp(CenterX(probe->sD()), CenterY(probe->sD()));
  EXPECT_TRUE(probe->DownReleased());
  EXPECT_EQ(log->Names(), (std::vector<std::string>{"MouseDown", "MouseUp"}));
  EXPECT_EQ(probe->DownState(), "N");
}

TEST_F(Buttons, HoldingUpMirrorsDown) {
  Place(50, 500);  // 10 above the upper margin
  Place(1000, 500);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->UpState(), "U");
  EXPECT_EQ(PassesOf([&] { Press(probe->sU()); }), 11);
  EXPECT_EQ(Tops(), (std::vector<float>{61, 1011}));
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_FALSE(probe->UpReleased());
  form->MouseUp(CenterX(probe->sU()), CenterY(probe->sU()));
  EXPECT_TRUE(probe->UpReleased());
}

TEST_F(Buttons, AShortClickScrollsAndRaisesItsEventsInOrder) {
  Place(100, 500);
  Place(20000, 500);
  probe->RefreshScrollBar();
  ReleaseAfter(1, probe->sD());
  EXPECT_EQ(PassesOf([&] { Press(probe->sD()); }), 1);
  EXPECT_EQ(Tops(), (std::vector<float>{99, 19999}));
  EXPECT_EQ(log->Names(), (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
  // Container coordinates: the button's position plus the pointer's offset
  // inside it (the centre pixel, 4 and 8 pixels in).
  EXPECT_EQ(log->entries[0], "MouseDown#3 1 0 2100 2865");
  EXPECT_EQ(log->entries[1], "MouseUp#5 1 0 2100 2865");
  EXPECT_EQ(log->entries[2], "Click#1");
  EXPECT_TRUE(probe->DownReleased());
  EXPECT_EQ(probe->DownState(), "U");
}

TEST_F(Buttons, TheRightButtonScrollsLikeTheLeft) {
  Place(2000, 950);
  probe->RefreshScrollBar();
  EXPECT_EQ(PassesOf([&] { Press(probe->sD(), kRightButton); }), 11);
  EXPECT_EQ(Tops(), std::vector<float>{1989});
  EXPECT_EQ(log->entries[0], "MouseDown#3 2 0 2100 2865");
  form->MouseUp(CenterX(probe->sD()), CenterY(probe->sD()), kRightButton);
  EXPECT_TRUE(probe->DownReleased());
}

TEST_F(Buttons, APressMakesOnePassEvenWithNothingBeyond) {
  Place(100, 500);
  Place(20000, 500);
  probe->RefreshScrollBar();
  // The application moved the contents since the last refresh.
  form->Find("c2")->Top(200);
  EXPECT_EQ(PassesOf([&] { Press(probe->sD()); }), 1);
  EXPECT_EQ(Tops(), (std::vector<float>{99, 199}));
  EXPECT_EQ(probe->DownState(), "N");
}

TEST_F(Buttons, TheReleaseEndsTheLoopAfterThatPass) {
  Place(100, 30000);
  probe->RefreshScrollBar();
  ReleaseAfter(5, probe->sD());
  EXPECT_EQ(PassesOf([&] { Press(probe->sD()); }), 5);
  EXPECT_EQ(Tops(), std::vector<float>{95});
  // Released before the end: the refresh after the release shows U again.
  EXPECT_EQ(probe->DownState(), "U");
}

TEST_F(Buttons, AnObjectWithoutTopKeepsTheLoopGoingUntilTheRelease) {
  Place(100, 500);
  form->AddObject<Menu>("mnu", sc.get());
  probe->RefreshScrollBar();
  ReleaseAfter(30, probe->sU());
  EXPECT_EQ(PassesOf([&] { Press(probe->sU()); }), 30);
  EXPECT_EQ(Tops(), std::vector<float>{130});
}

TEST_F(Buttons, TheLoopEndsWhenTheFormGoesAway) {
  Place(100, 500);
  form->AddObject<Menu>("mnu", sc.get());
  probe->RefreshScrollBar();
  ScheduleAfterYields(3, [this] { form->Unload(); });
  // A safety net, so that a loop that missed the unload fails instead of hanging.
  ScheduleAfterYields(1000, [this] { probe->DownReleased() = true; });
  EXPECT_EQ(PassesOf([&] { Press(probe->sD()); }), 3);
  ClearMessages();
}

TEST_F(Buttons, PointerMovesAreOffsetAndLeaveThePicture) {
  Place(100, 30000);
  probe->RefreshScrollBar();
  const PicturePtr shown = probe->sD().Picture();
  const PixelRect r = probe->sD().FormRect();
  form->MouseMove(r.left + 2, r.top + 4, 0);
  form->MouseMove(CenterX(probe->sU()), CenterY(probe->sU()), 0);
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{"MouseMove#4 0 0 2070 2805", "MouseMove#4 0 0 2100 120"}));
  EXPECT_EQ(probe->sD().Picture(), shown);
  EXPECT_EQ(Tops(), std::vector<float>{100});
}

TEST_F(Buttons, ADoubleClickGoesThroughTheContainer) {
  Place(100, 30000);
  probe->RefreshScrollBar();
  const int32_t x = CenterX(probe->sD()), y = CenterY(probe->sD());
  ReleaseAfter(1, probe->sD());
  Press(probe->sD());
  const int32_t paints = probe->picBar().RefreshCount();
  form->Dispatch(Message::Mouse(MessageKind::DblClick, form, x, y, kLeftButton));
  EXPECT_EQ(probe->picBar().RefreshCount(), paints);  // DblClick alone refreshes nothing
  form->MouseUp(x, y);
  EXPECT_EQ(log->Names(),
            (std::vector<std::string>{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
}

}  // namespace
}  // namespace lumora
