// The drawn bar: what the refresh makes of the contained controls (the
// buttons' states, the track's scale and the thumb), and what the layout
// leaves of it before and after Show.
#include "container_fixture.hpp"

namespace lumora {
namespace {

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
      {"hidden below", {{100, 1000}, {20000, 500, false}}, "N- N- | 255 2490 20620 | 0 3120"},
      {"above the view", {{-500, 300}, {0, 5000}}, "U+ U+ | 255 2490 5620 | 500 3120"},
      {"from the top", {{0, 5000}}, "U+ U+ | 255 2490 5120 | 0 3120"},
      {"all above the view", {{-2000, 500}}, "U+ N- | 255 2490 2120 | 2000 3120"},
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
    const int32_t paints = Track().RefreshCount();
    RefreshBar();  // the setters refreshed already: only the repaint is left
    EXPECT_EQ(Bar(), c.bar);
    EXPECT_EQ(Box(Track()), "2040 255 135 2490");
    EXPECT_EQ(Track().RefreshCount(), paints + 1);
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
    layout ? sc->Refresh() : RefreshBar();
    EXPECT_EQ(YieldCount(), yields + (layout ? 1 : 0));
    EXPECT_EQ(Bar(), "~N+ ~N+ | ~255 2490 5120 | 500 3120");
  }
  sc->Height(3600);  // the buttons are still pinned to the corners
  EXPECT_EQ(Box(Down()), "2040 3345 135 255");
}

TEST_F(Refresh, MarginsRefreshTheBarAtOnce) {
  Make(2175, 3000);
  Place(30, 1000);
  RefreshBar();
  sc->UpperMargin(20);
  EXPECT_EQ(Buttons(), "N- N-");
  sc->UpperMargin(31);
  EXPECT_EQ(Buttons(), "U+ N-");
  sc->LowerMargin(2000);
  EXPECT_EQ(Buttons(), "U+ U+");
  EXPECT_EQ(sc->ChangedProperties(), (std::vector<std::string>{"UpperMargin", "LowerMargin"}));
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
  const int32_t x = CenterX(*sc), y = CenterY(*sc);
  form->MouseMove(x, y, 0);
  form->Click(x, y);
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{"MouseMove#4 0 0 1080 1500", "MouseDown#3 1 0 1080 1500",
                                      "MouseUp#5 1 0 1080 1500", "Click#1"}));
  EXPECT_EQ(Buttons(), "U+ U+");
}

TEST_F(Refresh, BeforeShowAnEnabledButtonShowsItsPressedPicture) {
  Make(2175, 3000, /*showFirst=*/false);
  Place(-200, 4000);
  sc->Refresh();
  EXPECT_EQ(Buttons(), "D+ D+");
}

}  // namespace
}  // namespace lumora
