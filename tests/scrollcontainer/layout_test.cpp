// The layout on resize, Show and Refresh: the buttons pinned to the corners,
// the track between them, the layout's own rules for the buttons, the yield.
#include "container_fixture.hpp"

namespace lumora {
namespace {

using Layout = ContainerTest;

TEST_F(Layout, PinsTheButtonsAndFillsTheTrack) {
  Make(2175, 3600);
  Place(100, 500);
  sc->Refresh();
  EXPECT_EQ(probe->sU().Left(), 2040);
  EXPECT_EQ(probe->sU().Top(), 0);
  EXPECT_EQ(probe->sD().Left(), 2040);
  EXPECT_EQ(probe->sD().Top(), 3345);
  EXPECT_EQ(probe->sU().Width(), 135);
  EXPECT_EQ(probe->sU().Height(), 255);
  EXPECT_EQ(probe->picBar().Left(), 2040);
  EXPECT_EQ(probe->picBar().Top(), 255);
  EXPECT_EQ(probe->picBar().Width(), 135);
  EXPECT_EQ(probe->picBar().Height(), 3090);
  EXPECT_EQ(probe->ThumbHeight(), 3720);
  // The contained control stays where it was.
  EXPECT_EQ(Tops(), std::vector<float>{100});
}

TEST_F(Layout, FollowsSizeChanges) {
  Make(2175, 3600);
  Place(-300, 5000);
  sc->Refresh();
  const int32_t thumbHeight = probe->ThumbHeight();
  const float barHeight = probe->picBar().Height();
  const Raster before = *probe->picBar().ShownImage();

  sc->Height(4200);
  EXPECT_EQ(probe->sD().Top(), 3945);
  EXPECT_EQ(probe->picBar().Height(), barHeight + 600);
  EXPECT_EQ(probe->ThumbHeight(), thumbHeight + 600);
  EXPECT_EQ(probe->picBar().ShownImage()->Height(), before.Height() + 40);

  sc->Width(1500);
  EXPECT_EQ(probe->sU().Left(), 1365);
  EXPECT_EQ(probe->sD().Left(), 1365);
  EXPECT_EQ(probe->picBar().Left(), 1365);
  EXPECT_EQ(Tops(), std::vector<float>{-300});
}

TEST_F(Layout, WithoutContainedControlsHidesTheBarAndStillYields) {
  Make(2175, 3000);
  bool yielded = false;
  ScheduleAfterYields(1, [&] { yielded = true; });
  sc->Refresh();
  EXPECT_TRUE(yielded);
  EXPECT_FALSE(probe->sU().Visible());
  EXPECT_FALSE(probe->sD().Visible());
  EXPECT_FALSE(probe->picBar().Visible());
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");
  // The buttons are still pinned to the corners.
  EXPECT_EQ(probe->sD().Top(), 2745);
}

TEST_F(Layout, YieldsOnceWithContainedControlsToo) {
  Make(2175, 3000);
  Place(0, 100);
  const int64_t yields = YieldCount();
  sc->Refresh();
  EXPECT_EQ(YieldCount(), yields + 1);
}

TEST_F(Layout, ButtonsAlreadyShownComeOutGreyedUntilTheNextRefresh) {
  Make(2175, 3000);
  Place(-400, 300);
  Place(2900, 500);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->UpState(), "U");
  ASSERT_EQ(probe->DownState(), "U");

  sc->Refresh();
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_FALSE(probe->sU().Enabled());
  EXPECT_FALSE(probe->sD().Enabled());
  // The track and the thumb still follow the contents.
  EXPECT_EQ(probe->ThumbTop(), 400);
  EXPECT_EQ(probe->picBar().ScaleHeight(), 3920);

  // A click on the container itself refreshes the bar.
  form->Click(120, 100);
  EXPECT_EQ(log->Names(), (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
  EXPECT_EQ(probe->UpState(), "U");
  EXPECT_EQ(probe->DownState(), "U");
  EXPECT_TRUE(probe->sU().Enabled());
  EXPECT_TRUE(probe->sD().Enabled());
}

TEST_F(Layout, HiddenButtonsComeOutAsTheContentsSay) {
  Make(2175, 3000, /*showFirst=*/false);
  // The host's first layout found nothing: both buttons hidden.
  ASSERT_FALSE(probe->sU().Visible());
  ASSERT_FALSE(probe->sD().Visible());
  Place(2500, 1000);
  form->Show();  // Show: released flags set, then the layout
  EXPECT_TRUE(probe->UpReleased());
  EXPECT_TRUE(probe->DownReleased());
  EXPECT_TRUE(probe->sD().Visible());
  EXPECT_TRUE(probe->sD().Enabled());
  EXPECT_EQ(probe->DownState(), "U");
  EXPECT_TRUE(probe->sU().Visible());
  EXPECT_FALSE(probe->sU().Enabled());
  EXPECT_EQ(probe->UpState(), "N");

  sc->Refresh();
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_FALSE(probe->sD().Enabled());
}

TEST_F(Layout, BeforeShowAButtonItEnablesShowsItsPressedPicture) {
  Make(2175, 3000, /*showFirst=*/false);
  Place(-200, 4000);
  sc->Refresh();
  EXPECT_FALSE(probe->UpReleased());
  EXPECT_EQ(probe->UpState(), "D");
  EXPECT_EQ(probe->DownState(), "D");
  EXPECT_TRUE(probe->sU().Enabled());
  EXPECT_TRUE(probe->sD().Enabled());
}

TEST_F(Layout, ABorderShrinksTheView) {
  Make(2175, 3000);
  Place(0, 100);
  sc->BorderStyle(1);  // a 3D border takes 2 pixels on each side
  EXPECT_EQ(sc->ScaleHeight(), 2940);
  EXPECT_EQ(probe->sD().Top(), 2685);
  EXPECT_EQ(probe->sU().Left(), 2175 - 60 - 135);
}

}  // namespace
}  // namespace lumora
