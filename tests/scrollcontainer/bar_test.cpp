// The drawn bar: what the refresh makes of the contained controls (the
// buttons' states, the track's scale, the thumb and its painting), and the
// layout on resize, Show and Refresh.
#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"
#include "platform/gdi.hpp"

namespace lumora {
namespace {

constexpr Argb kThumb = ToArgb(Rgb(64, 64, 64));

using Refresh = ContainerTest;

struct Placed {
  float top, height;
  bool visible = true;
};
struct RefreshCase {
  const char* name;
  std::vector<Placed> placed;
  std::string bar;
  int32_t upper = 60, lower = 60;
};

TEST_F(Refresh, RefreshMeasuresTheContents) {
  const RefreshCase cases[] = {
      {"scrolled both ways", {{-1000, 400}, {3600, 400}}, "U+ U+ | 255 2490 5120 | 1000 3120"},
      {"inside the margins", {{60, 1000}, {1500, 1440}}, "N- N- | 255 2490 3060 | 0 3120"},
      {"on the margins", {{60, 100}, {2000, 940}}, "N- N- | 255 2490 3060 | 0 3120"},
      {"a twip beyond", {{59, 100}, {2001, 940}}, "U+ U+ | 255 2490 3061 | 0 3120"},
      {"hidden: extent only",
       {{100, 1000}, {20000, 500, false}},
       "N- N- | 255 2490 20620 | 0 3120"},
      {"above the view", {{-500, 300}, {0, 5000}}, "U+ U+ | 255 2490 5620 | 500 3120"},
      {"from the top", {{0, 5000}}, "U+ U+ | 255 2490 5120 | 0 3120"},
      {"margins changed", {{30, 1000}}, "N- N- | 255 2490 990 | 0 2960", -100, 60},
      {"margin sum overflows", {{0, 1000}}, "U+ N- | 255 2490 1000 | 0 3000", INT32_MAX, 1},
  };
  for (const RefreshCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    Make(2175, 3000);
    for (const Placed& p : c.placed) Place(p.top, p.height, p.visible);
    sc->UpperMargin(c.upper);
    sc->LowerMargin(c.lower);
    RefreshBar();
    EXPECT_EQ(Bar(), c.bar);
    EXPECT_EQ(Box(Track()), "2040 255 135 2490");
  }
  // round(164 rows * 3120 / 20620) rows of thumb when a hidden control far
  // below counts for the extent.
  Fresh();
  Make(2175, 3000);
  Place(100, 1000);
  Place(20000, 500, false);
  RefreshBar();
  EXPECT_EQ(RowsOf(Track().ShownImage()->Whole(), 0, kThumb).size(), 25u);
}

TEST_F(Refresh, TheThumbIsPaintedInTheThumbBoxColour) {
  Make(2175, 3000);
  Place(-1000, 400);
  Place(3600, 400);
  RefreshBar();
  ASSERT_EQ(GetPixel(Thumb().hDC(), 0, 0), Rgb(64, 64, 64));
  const Argb track = ToArgb(ResolveColor(kSysApplicationWorkspace));
  std::vector<int32_t> thumbRows;
  for (int32_t y = 32; y < 132; ++y) thumbRows.push_back(y);
  for (const Argb color : {kThumb, ToArgb(Rgb(200, 30, 40))}) {
    Thumb().BackColor(color == kThumb ? Rgb(64, 64, 64) : Rgb(200, 30, 40));
    RefreshBar();
    const Raster image = Track().ShownImage()->Whole();
    ASSERT_EQ(image.Width(), 7);
    ASSERT_EQ(image.Height(), 164);
    for (int32_t x = 0; x < 7; ++x) EXPECT_EQ(RowsOf(image, x, color), thumbRows) << x;
    EXPECT_EQ(image.At(0, 31), track);
    EXPECT_EQ(image.At(6, 132), track);
  }
}

TEST_F(Refresh, WithoutContainedControlsEverythingHidesAndTheThumbStays) {
  for (const bool layout : {false, true}) {
    SCOPED_TRACE(layout ? "layout" : "refresh");
    Fresh();
    Make(2175, 3000);
    auto only = Place(-500, 5000);
    RefreshBar();
    ASSERT_EQ(Buttons(), "U+ U+");
    form->Remove(*only);
    const int64_t yields = YieldCount();
    if (layout) {
      sc->Refresh();
    } else {
      RefreshBar();
    }
    EXPECT_EQ(YieldCount(), yields + (layout ? 1 : 0));
    EXPECT_EQ(Bar(), "~N+ ~N+ | ~255 2490 5120 | 500 3120");
  }
  sc->Height(3600);  // the buttons are still pinned to the corners
  EXPECT_EQ(Box(Down()), "2040 3345 135 255");
}

TEST_F(Refresh, ASecondRefreshWritesNoPropertyButRepaints) {
  Make(2175, 3000);
  Place(-700, 300);
  Place(2500, 2000);
  RefreshBar();
  std::vector<int32_t> writes;
  for (const ControlPtr& c : sc->Constituents()) writes.push_back(c->PropertyWrites());
  const int32_t refreshes = Track().RefreshCount();
  Track().PaintPicture(Picture::FromRaster(Raster(3, 3, 0xFFFF0000u)), 0.0f, 0.0f);
  RefreshBar();
  for (size_t i = 0; i < writes.size(); ++i)
    EXPECT_EQ(sc->Constituents()[i]->PropertyWrites(), writes[i]) << sc->Constituents()[i]->Name();
  EXPECT_EQ(Track().RefreshCount(), refreshes + 1);
  EXPECT_NE(Track().ShownImage()->At(0, 0), 0xFFFF0000u);  // cleared, then painted
}

TEST_F(Refresh, AContainedObjectWithoutTopCountsAsBeyondBothEdges) {
  Make(2175, 3000);
  Place(500, 500);
  form->AddObject<Menu>("mnu", sc.get());
  RefreshBar();
  EXPECT_EQ(Bar(), "U+ U+ | 255 2490 1120 | 0 3120");
  EXPECT_NE(Err().Number(), 0);
}

TEST_F(Refresh, MarginsRefreshTheBarAtOnce) {
  Make(2175, 3000);
  Place(30, 1000);
  RefreshBar();
  const std::pair<int32_t, const char*> uppers[] = {{-100, "N- N-"}, {20, "N- N-"}, {31, "U+ N-"}};
  for (const auto& [upper, buttons] : uppers) {
    sc->UpperMargin(upper);
    EXPECT_EQ(sc->UpperMargin(), upper);
    EXPECT_EQ(Buttons(), buttons) << upper;
  }
  sc->LowerMargin(2000);
  EXPECT_EQ(Buttons(), "U+ U+");
  EXPECT_EQ(sc->ChangedProperties(), (std::vector<std::string>{"UpperMargin", "LowerMargin"}));
}

TEST_F(Refresh, TheLayoutPinsTheButtonsAndFollowsTheSize) {
  Make(2175, 3600);
  Place(-300, 5000);
  sc->Refresh();
  EXPECT_EQ(Box(Up()), "2040 0 135 255");
  EXPECT_EQ(Box(Down()), "2040 3345 135 255");
  EXPECT_EQ(Box(Track()), "2040 255 135 3090");
  const Raster before = Track().ShownImage()->Whole();
  sc->Height(4200);
  EXPECT_EQ(Box(Down()), "2040 3945 135 255");
  EXPECT_EQ(Bar(), "N- N- | 255 3690 5120 | 300 4320");
  EXPECT_EQ(Track().ShownImage()->Height(), before.Height() + 40);
  sc->Width(1500);
  EXPECT_EQ(Box(Up()), "1365 0 135 255");
  EXPECT_EQ(Box(Down()), "1365 3945 135 255");
  EXPECT_EQ(Track().Left(), 1365);
  EXPECT_EQ(Tops(), std::vector<float>{-300});
  sc->BorderStyle(1);  // a 3D border takes 2 pixels on each side
  EXPECT_EQ(sc->ScaleHeight(), 4140);
  EXPECT_EQ(Box(Down()), "1305 3885 135 255");
}

TEST_F(Refresh, ShownButtonsComeOutOfTheLayoutGreyedUntilTheNextRefresh) {
  Make(2175, 3000);
  Place(-400, 300);
  Place(2900, 500);
  RefreshBar();
  ASSERT_EQ(Buttons(), "U+ U+");
  sc->Refresh();
  EXPECT_EQ(Bar(), "N- N- | 255 2490 3920 | 400 3120");
  // A click on the container itself refreshes the bar.
  const PixelRect r = sc->FormRect();
  form->Click(r.left + r.width / 2, r.top + r.height / 2);
  EXPECT_EQ(log->Names(), (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
  EXPECT_EQ(Buttons(), "U+ U+");
}

TEST_F(Refresh, HiddenButtonsComeOutOfTheLayoutAsTheContentsSay) {
  Make(2175, 3000, /*showFirst=*/false);
  EXPECT_EQ(Buttons(), "~N+ ~N+");  // nothing contained at the first layout
  Place(2500, 1000);
  form->Show();  // releases both buttons, then runs the layout
  EXPECT_EQ(Buttons(), "N- U+");
  sc->Refresh();
  EXPECT_EQ(Buttons(), "N- N-");
}

TEST_F(Refresh, BeforeShowAnEnabledButtonShowsItsPressedPicture) {
  Make(2175, 3000, /*showFirst=*/false);
  Place(-200, 4000);
  sc->Refresh();
  EXPECT_EQ(Buttons(), "D+ D+");
}

}  // namespace
}  // namespace lumora
