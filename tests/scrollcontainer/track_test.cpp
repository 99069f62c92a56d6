// The track and the thumb drag: arming, disarming, moves in the track's
// scale, the end checks on the buttons' pictures, rounding.
#include "container_fixture.hpp"
#include "platform/numeric.hpp"

namespace lumora {
namespace {

class Track : public ContainerTest {
 protected:
  void SetUp() override {
    Make(2175, 3000);
    Place(60, 1000);
    Place(5000, 1000);
    Place(8000, 100, false);
    probe->RefreshScrollBar();  // scale 8220 (contents 0..8100), thumb 0..3120
  }
  // Pointer input as the track receives it: Y in its own scale.
  void Press(float y, int16_t button = kLeftButton) {
    PointerInput in{button, 0, 10, y};
    probe->picBar().OnMouseDown(in);
  }
  void MoveTo(float y, int16_t button = kLeftButton) {
    PointerInput in{button, 0, 10, y};
    probe->picBar().OnMouseMove(in);
  }
};

TEST_F(Track, ThePressArmsOnTheThumbEdgesAndDisarmsOutside) {
  ASSERT_EQ(probe->ThumbTop(), 0);
  ASSERT_EQ(probe->ThumbHeight(), 3120);
  Press(0);
  EXPECT_TRUE(probe->ThumbDragging());
  EXPECT_EQ(probe->DragLastY(), 0);
  Press(3121);
  EXPECT_FALSE(probe->ThumbDragging());
  Press(3120);
  EXPECT_TRUE(probe->ThumbDragging());
  EXPECT_EQ(probe->DragLastY(), 3120);

  // Scrolled: the thumb starts lower.
  form->Find("c1")->Top(-500);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->ThumbTop(), 500);
  Press(499);
  EXPECT_FALSE(probe->ThumbDragging());
  Press(500);
  EXPECT_TRUE(probe->ThumbDragging());
  Press(3621);
  EXPECT_FALSE(probe->ThumbDragging());
  EXPECT_EQ(probe->DragLastY(), 500);
}

TEST_F(Track, OnlyTheLeftButtonAloneCounts) {
  Press(100);
  ASSERT_TRUE(probe->ThumbDragging());
  Press(5000, kRightButton);
  Press(5000, kMiddleButton);
  Press(5000, kLeftButton | kRightButton);
  EXPECT_TRUE(probe->ThumbDragging());
  EXPECT_EQ(probe->DragLastY(), 100);
  MoveTo(400, kRightButton);
  MoveTo(400, 0);
  EXPECT_EQ(Tops(), (std::vector<float>{60, 5000, 8000}));

  Press(5000);
  ASSERT_FALSE(probe->ThumbDragging());
  Press(100, kRightButton);
  EXPECT_FALSE(probe->ThumbDragging());
  // Not armed: a left-button move does nothing either.
  MoveTo(400);
  EXPECT_EQ(Tops(), (std::vector<float>{60, 5000, 8000}));
}

TEST_F(Track, DraggingMovesEveryControlByTheDistanceInTrackUnits) {
  Press(100);
  const int32_t repaints = sc->RefreshCount();
  MoveTo(400);
  EXPECT_EQ(Tops(), (std::vector<float>{-240, 4700, 7700}));  // the hidden one too
  EXPECT_EQ(probe->DragLastY(), 400);
  EXPECT_EQ(probe->ThumbTop(), 240);
  EXPECT_EQ(probe->UpState(), "U");
  EXPECT_EQ(sc->RefreshCount(), repaints + 1);
  // And back up.
  MoveTo(250);
  EXPECT_EQ(Tops(), (std::vector<float>{-90, 4850, 7850}));
  EXPECT_EQ(probe->ThumbTop(), 90);
}

TEST_F(Track, PositionsRoundHalfToEven) {
  Press(10.5f);
  EXPECT_EQ(probe->DragLastY(), 10);
  Press(11.5f);
  EXPECT_EQ(probe->DragLastY(), 12);
  // 12.5 - 12 rounds to 0: nothing moves, yet the bar is refreshed and the
  // container repainted.
  const int32_t repaints = sc->RefreshCount();
  MoveTo(12.5f);
  EXPECT_EQ(probe->DragLastY(), 12);
  EXPECT_EQ(Tops(), (std::vector<float>{60, 5000, 8000}));
  EXPECT_EQ(sc->RefreshCount(), repaints + 1);
  // 13.5 - 12 = 1.5 rounds to 2.
  MoveTo(13.5f);
  EXPECT_EQ(Tops(), (std::vector<float>{58, 4998, 7998}));
  EXPECT_EQ(probe->DragLastY(), 14);
}

TEST_F(Track, AtAnEndTheMoveIsRefusedButThePointerFollowed) {
  ASSERT_EQ(probe->UpState(), "N");
  Press(500);
  MoveTo(400);  // up, at the top: refused
  EXPECT_EQ(Tops(), (std::vector<float>{60, 5000, 8000}));
  EXPECT_EQ(probe->DragLastY(), 400);
  MoveTo(450);  // down from the pointer's new position
  EXPECT_EQ(Tops(), (std::vector<float>{10, 4950, 7950}));
}

TEST_F(Track, AfterALayoutMovesWaitForTheNextRefreshAndAreNotMadeUp) {
  form->Find("c1")->Top(-1000);
  sc->Refresh();  // both buttons shown: both greyed whatever the contents
  ASSERT_EQ(probe->UpState(), "N");
  ASSERT_EQ(probe->DownState(), "N");
  Press(1000);
  MoveTo(1200);
  MoveTo(900);
  EXPECT_EQ(Tops(), (std::vector<float>{-1000, 5000, 8000}));
  EXPECT_EQ(probe->DragLastY(), 900);
  probe->RefreshScrollBar();
  MoveTo(910);
  EXPECT_EQ(Tops(), (std::vector<float>{-1010, 4990, 7990}));
}

TEST_F(Track, ThePointerOnTheTrackRaisesNoContainerEvent) {
  const PixelRect bar = probe->picBar().FormRect();
  const int32_t x = bar.left + 4;
  // Row 10 of the drawing area lies inside the thumb (rows 0..61).
  form->MouseDown(x, bar.top + 1 + 10);
  EXPECT_TRUE(probe->ThumbDragging());
  form->MouseMove(x, bar.top + 1 + 30);
  form->MouseUp(x, bar.top + 1 + 30);
  form->Click(x, bar.top + 1 + 120);
  EXPECT_TRUE(log->entries.empty());
  // The drag moved the contents by 20 rows of the track's scale.
  const double unitsPerRow = 8220.0 / 164;
  const float pressY = static_cast<float>(10 * unitsPerRow);
  const float moveY = static_cast<float>(30 * unitsPerRow);
  const double moved = RoundHalfEven(double{moveY} - RoundHalfEven(pressY));
  EXPECT_GT(moved, 700);
  EXPECT_EQ(Tops()[0], 60 - moved);
  EXPECT_FALSE(probe->ThumbDragging());  // the last press lay outside the thumb
}

TEST_F(Track, WithNothingContainedADragStopsBeforeRefreshing) {
  Press(100);
  for (const ControlPtr& c : sc->ContainedList()) form->Remove(*c);
  const int32_t repaints = sc->RefreshCount();
  MoveTo(300);
  EXPECT_EQ(sc->RefreshCount(), repaints);
  EXPECT_EQ(probe->DragLastY(), 300);
}

}  // namespace
}  // namespace lumora
