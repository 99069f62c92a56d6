// RefreshScrollBar: measuring the contained controls, the buttons' states,
// the track's placement and scale, the thumb's geometry and its painting.
#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"
#include "platform/gdi.hpp"

namespace lumora {
namespace {

constexpr Argb kThumb = ToArgb(Rgb(64, 64, 64));

class Refresh : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }
  Argb TrackColor() const { return ToArgb(ResolveColor(kSysApplicationWorkspace)); }
};

TEST_F(Refresh, WorkedExampleGeometryAndPaintedThumb) {
  Place(-1000, 400);
  Place(3600, 400);  // bottom at 4000
  probe->RefreshScrollBar();

  EXPECT_EQ(probe->picBar().Left(), 2040);
  EXPECT_EQ(probe->picBar().Top(), 255);
  EXPECT_EQ(probe->picBar().Width(), 135);
  EXPECT_EQ(probe->picBar().Height(), 2490);
  EXPECT_EQ(probe->picBar().ScaleHeight(), 5120);
  EXPECT_EQ(probe->ThumbTop(), 1000);
  EXPECT_EQ(probe->ThumbHeight(), 3120);
  EXPECT_EQ(probe->picSelected().Top(), 1000);
  EXPECT_EQ(probe->picSelected().Height(), 3120);
  EXPECT_TRUE(probe->picBar().Visible());

  // The thumb colour is what the thumb box's top-left pixel holds.
  const ColorRef boxColor = GetPixel(probe->picSelected().hDC(), 0, 0);
  ASSERT_EQ(boxColor, Rgb(64, 64, 64));
  const Raster* image = probe->picBar().ShownImage();
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->Width(), 7);
  ASSERT_EQ(image->Height(), 164);
  std::vector<int32_t> expected;
  for (int32_t y = 32; y < 132; ++y) expected.push_back(y);
  for (int32_t x = 0; x < 7; ++x)
    EXPECT_EQ(RowsOf(*image, x, ToArgb(boxColor)), expected) << "column " << x;
  EXPECT_EQ(image->At(0, 31), TrackColor());
  EXPECT_EQ(image->At(6, 132), TrackColor());
}

TEST_F(Refresh, WithoutContainedControlsEverythingIsHidden) {
  probe->RefreshScrollBar();
  EXPECT_FALSE(probe->sU().Visible());
  EXPECT_FALSE(probe->sD().Visible());
  EXPECT_FALSE(probe->picBar().Visible());
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");

  // The thumb fields keep what an earlier run left.
  auto only = Place(-500, 200);
  probe->RefreshScrollBar();
  ASSERT_EQ(probe->ThumbTop(), 500);
  form->Remove(*only);
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->ThumbTop(), 500);
  EXPECT_EQ(probe->ThumbHeight(), 3120);
  EXPECT_FALSE(probe->picBar().Visible());
}

TEST_F(Refresh, ContentsInsideTheMarginsDisableBothButtons) {
  Place(60, 1000);
  Place(1500, 1440);  // bottom 2940 = 3000 - 60
  probe->RefreshScrollBar();
  EXPECT_TRUE(probe->sU().Visible());
  EXPECT_TRUE(probe->sD().Visible());
  EXPECT_FALSE(probe->sU().Enabled());
  EXPECT_FALSE(probe->sD().Enabled());
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_TRUE(probe->picBar().Visible());
  EXPECT_EQ(probe->picBar().Top(), 255);
  EXPECT_EQ(probe->picBar().Height(), 2490);
  // Contents 0..2940 plus both margins.
  EXPECT_EQ(probe->picBar().ScaleHeight(), 3060);
  EXPECT_EQ(probe->ThumbTop(), 0);
}

TEST_F(Refresh, EdgesAreStrict) {
  auto top = Place(60, 100);
  auto bottom = Place(2000, 940);  // bottom + 60 = 3000
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->DownState(), "N");

  top->Top(59);
  bottom->Top(2001);
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->UpState(), "U");
  EXPECT_EQ(probe->DownState(), "U");
  EXPECT_TRUE(probe->sU().Enabled());
  EXPECT_TRUE(probe->sD().Enabled());

  // While a button is held, it shows its pressed picture.
  probe->UpReleased() = false;
  probe->DownReleased() = false;
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->UpState(), "D");
  EXPECT_EQ(probe->DownState(), "D");
}

TEST_F(Refresh, HiddenControlsCountForTheExtentOnly) {
  Place(100, 1000);
  probe->RefreshScrollBar();
  const Raster before = *probe->picBar().ShownImage();
  const size_t thumbRowsBefore = RowsOf(before, 0, kThumb).size();
  EXPECT_EQ(probe->picBar().ScaleHeight(), 1220);

  Place(20000, 500, false);
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->DownState(), "N");
  EXPECT_FALSE(probe->sD().Enabled());
  EXPECT_EQ(probe->picBar().ScaleHeight(), 20620);
  const size_t thumbRowsAfter = RowsOf(*probe->picBar().ShownImage(), 0, kThumb).size();
  EXPECT_LT(thumbRowsAfter, thumbRowsBefore);
  EXPECT_EQ(thumbRowsAfter, 25u);  // round(164 * 3120 / 20620)
}

TEST_F(Refresh, ContentScrolledAboveTheView) {
  Place(-500, 300);
  Place(0, 5000);
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->ThumbTop(), 500);
  EXPECT_EQ(probe->picBar().ScaleHeight(), 5620);  // -500 .. 5000, plus 120
  EXPECT_EQ(probe->UpState(), "U");

  // From the top to a bottom of 5000: the other edge case of the same sums.
  form->Remove(*form->Find("c1"));
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->ThumbTop(), 0);
  EXPECT_EQ(probe->ThumbHeight(), 3120);
  EXPECT_EQ(probe->picBar().ScaleHeight(), 5120);
}

TEST_F(Refresh, ASecondRunWritesNoPropertyButRepaints) {
  Place(-700, 300);
  Place(2500, 2000);
  probe->RefreshScrollBar();
  std::vector<Control*> constituents;
  for (const ControlPtr& c : sc->Constituents()) constituents.push_back(c.get());
  std::vector<int32_t> writes;
  for (Control* c : constituents) writes.push_back(c->PropertyWrites());
  const int32_t refreshes = probe->picBar().RefreshCount();
  probe->picBar().PaintPicture(Picture::FromRaster(Raster(3, 3, 0xFFFF0000u)), 0.0f, 0.0f);

  probe->RefreshScrollBar();
  for (size_t i = 0; i < constituents.size(); ++i)
    EXPECT_EQ(constituents[i]->PropertyWrites(), writes[i]) << constituents[i]->Name();
  EXPECT_EQ(probe->picBar().RefreshCount(), refreshes + 1);
  // Cleared and painted again: the red square drawn in between is gone.
  EXPECT_NE(probe->picBar().ShownImage()->At(0, 0), 0xFFFF0000u);
}

TEST_F(Refresh, TheThumbTakesTheThumbBoxColour) {
  Place(-1000, 400);
  Place(3600, 400);
  probe->picSelected().BackColor(Rgb(200, 30, 40));
  probe->RefreshScrollBar();
  const auto rows = RowsOf(*probe->picBar().ShownImage(), 3, ToArgb(Rgb(200, 30, 40)));
  ASSERT_EQ(rows.size(), 100u);
  EXPECT_EQ(rows.front(), 32);
  EXPECT_TRUE(RowsOf(*probe->picBar().ShownImage(), 3, kThumb).empty());
}

TEST_F(Refresh, AContainedObjectWithoutTopSetsBothFlags) {
  Place(500, 500);
  form->AddObject<Menu>("mnu", sc.get());
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->UpState(), "U");
  EXPECT_EQ(probe->DownState(), "U");
  // The object adds nothing to the extent: 0 .. 1000 plus the margins.
  EXPECT_EQ(probe->picBar().ScaleHeight(), 1120);
  EXPECT_EQ(probe->ThumbTop(), 0);
  EXPECT_NE(Err().Number(), 0);
}

TEST_F(Refresh, TheMarginsRefreshAtOnce) {
  Place(30, 1000);
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->UpState(), "U");
  sc->UpperMargin(-100);
  EXPECT_EQ(sc->UpperMargin(), -100);
  EXPECT_EQ(probe->UpState(), "N");
  EXPECT_EQ(probe->ThumbHeight(), 2960);
  sc->UpperMargin(20);
  EXPECT_EQ(probe->UpState(), "N");
  sc->UpperMargin(31);
  EXPECT_EQ(probe->UpState(), "U");
  sc->LowerMargin(2000);
  EXPECT_EQ(probe->DownState(), "U");
  EXPECT_EQ(sc->ChangedProperties(), (std::vector<std::string>{"UpperMargin", "LowerMargin"}));
}

TEST_F(Refresh, AnOverflowingMarginSumCountsAsZero) {
  Place(0, 1000);
  probe->UpperMarginField() = INT32_MAX;
  probe->LowerMarginField() = 1;
  probe->RefreshScrollBar();
  EXPECT_EQ(probe->picBar().ScaleHeight(), 1000);
  EXPECT_EQ(probe->ThumbHeight(), 3000);
}

}  // namespace
}  // namespace lumora
