// Scroll bars: ranges either way round, Change only on a real change and
// before the assignment returns, Value left alone when the range moves past
// it, and the pointer and keys working arrows, track and thumb.
#include <gtest/gtest.h>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using Strings = std::vector<std::string>;

class ScrollBarTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("BarForm", 400, 300);
};

TEST_F(ScrollBarTest, ARangeRunningDownwardsAcceptsValuesBetweenItsEnds) {
  VScrollBar bar;
  bar.Min(0);
  bar.Max(-37);
  bar.Value(-18);
  EXPECT_EQ(bar.Value(), -18);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar.Value(5));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar.Value(-38));
  EXPECT_EQ(bar.Value(), -18);
  bar.Value(-37);
  bar.Value(0);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar.SmallChange(0));
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar.LargeChange(-1));
}

TEST_F(ScrollBarTest, ChangeComesOncePerRealChangeBeforeTheAssignmentReturns) {
  HScrollBar bar;
  bar.Max(100);
  Strings order;
  bar.Change.Connect([&] { order.push_back("Change " + std::to_string(bar.Value())); });
  bar.Value(40);
  order.push_back("returned");
  bar.Value(40);  // the same value: nothing
  bar.Value(41);
  EXPECT_EQ(order, (Strings{"Change 40", "returned", "Change 41"}));
  // A Change handler that assigns again re-enters, and both run to the end.
  bar.Change.DisconnectAll();
  int depth = 0, calls = 0;
  bar.Change.Connect([&] {
    ++calls;
    ++depth;
    if (bar.Value() == 50) bar.Value(60);
    --depth;
  });
  bar.Value(50);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(bar.Value(), 60);
}

TEST_F(ScrollBarTest, ValueKeepsItsNumberWhenTheRangeMovesPastIt) {
  auto bar = form->Add<HScrollBar>("bar", 0, 0, 4500, 300);  // 300 x 20 px
  bar->Max(100);
  bar->Value(80);
  int changes = 0;
  bar->Change.Connect([&] { ++changes; });
  bar->Max(10);
  EXPECT_EQ(bar->Value(), 80);
  EXPECT_EQ(changes, 0);
  const ScrollBarGeometry g = bar->Geometry();
  EXPECT_EQ(g.thumb.Right(), g.track.Right());                  // drawn clamped at the end
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->Value(80));  // now outside
  bar->Value(10);
  EXPECT_EQ(changes, 1);
  bar->Min(12);  // Min moves past it too
  bar->Max(30);
  EXPECT_EQ(bar->Value(), 10);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bar->Geometry().thumb.left, g.track.left);
}

TEST_F(ScrollBarTest, ArrowsStepTrackPagesAndTheThumbDrags) {
  auto bar = form->Add<HScrollBar>("bar", 0, 0, 4500, 300);  // 300 x 20 px
  bar->Max(100);
  bar->SmallChange(5);
  bar->LargeChange(20);
  bar->Value(50);
  form->Show();
  const ScrollBarGeometry g = bar->Geometry();
  EXPECT_EQ(g.lowArrow, (PixelRect{0, 0, 20, 20}));
  EXPECT_EQ(g.highArrow, (PixelRect{280, 0, 20, 20}));
  EXPECT_EQ(g.track, (PixelRect{20, 0, 260, 20}));
  EXPECT_EQ(g.thumb, (PixelRect{128, 0, 43, 20}));  // 260 * 20/120 long, halfway

  auto log = EventLog::On({bar.get()});
  form->Click(5, 10);
  EXPECT_EQ(bar->Value(), 45);
  form->Click(295, 10);
  EXPECT_EQ(bar->Value(), 50);
  form->Click(40, 10);  // track before the thumb
  EXPECT_EQ(bar->Value(), 30);
  form->Click(250, 10);  // after it
  EXPECT_EQ(bar->Value(), 50);
  EXPECT_EQ(log->entries, (Strings{"bar.Change", "bar.Change", "bar.Change", "bar.Change"}));

  log->entries.clear();
  std::vector<int16_t> seen;
  bar->Scroll.Connect([&] { seen.push_back(bar->Value()); });
  form->MouseDown(150, 10);  // grips the thumb 22 px from its start
  form->MouseMove(200, 10);  // thumb starts at 178: offset 158 of 217
  form->MouseMove(200, 15);  // no movement along the bar: nothing
  form->MouseMove(400, 10);  // past the end
  form->MouseUp(400, 10);
  EXPECT_EQ(seen, (std::vector<int16_t>{73, 100}));
  EXPECT_EQ(log->entries, (Strings{"bar.Scroll", "bar.Scroll", "bar.Change"}));
  // A drag that ends where it began raises no Change.
  log->entries.clear();
  const PixelRect thumb = bar->Geometry().thumb;
  form->MouseDown(thumb.left + 2, 10);
  form->MouseMove(thumb.left - 30, 10);
  form->MouseMove(thumb.left + 2, 10);
  form->MouseUp(thumb.left + 2, 10);
  EXPECT_EQ(log->entries, (Strings{"bar.Scroll", "bar.Scroll"}));
}

TEST_F(ScrollBarTest, TheLowArrowMovesTowardsMinWhicheverWayTheRangeRuns) {
  auto bar = form->Add<VScrollBar>("bar", 0, 0, 300, 4500);  // 20 x 300 px
  bar->Min(0);
  bar->Max(-37);
  bar->SmallChange(10);
  form->Show();
  form->Click(10, 295);  // bottom arrow: towards Max
  EXPECT_EQ(bar->Value(), -10);
  for (int i = 0; i < 5; ++i) form->Click(10, 295);
  EXPECT_EQ(bar->Value(), -37);  // stops at the end
  form->Click(10, 5);
  EXPECT_EQ(bar->Value(), -27);
  EXPECT_EQ(bar->Geometry().lowArrow, (PixelRect{0, 0, 20, 20}));
}

TEST_F(ScrollBarTest, KeysMoveTheValueWhenFocused) {
  auto bar = form->Add<HScrollBar>("bar", 0, 0, 4500, 300);
  bar->Max(100);
  bar->SmallChange(2);
  bar->LargeChange(25);
  form->Show();
  auto log = EventLog::On({bar.get()});
  form->KeyDown(kKeyRight);
  form->KeyDown(kKeyPageDown);
  EXPECT_EQ(bar->Value(), 27);
  form->KeyDown(kKeyEnd);
  EXPECT_EQ(bar->Value(), 100);
  form->KeyDown(kKeyDown);  // at the end: no change, no event
  form->KeyDown(kKeyHome);
  EXPECT_EQ(bar->Value(), 0);
  EXPECT_EQ(log->entries,
            (Strings{"bar.KeyDown", "bar.Change", "bar.KeyDown", "bar.Change", "bar.KeyDown",
                     "bar.Change", "bar.KeyDown", "bar.KeyDown", "bar.Change"}));
  // A KeyDown handler that clears the key code stops the step.
  bar->KeyDown.Connect([](int16_t& KeyCode, int16_t&) { KeyCode = 0; });
  form->KeyDown(kKeyRight);
  EXPECT_EQ(bar->Value(), 0);
}

TEST_F(ScrollBarTest, LateBoundMembers) {
  auto bar = form->Add<HScrollBar>("bar", 0, 0, 4500, 300);
  bar->SetProperty("max", int32_t{90});
  bar->SetProperty("VALUE", 45.5);  // rounds half to even
  EXPECT_EQ(bar->GetProperty("Value").ToInt32(), 46);
  EXPECT_EQ(bar->GetProperty("Max").ToInt32(), 90);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, bar->SetProperty("Value", 91));
  EXPECT_FAILS_WITH(kErrNoSuchMember, bar->GetProperty("Picture"));
}

}  // namespace
}  // namespace lumora::testing
