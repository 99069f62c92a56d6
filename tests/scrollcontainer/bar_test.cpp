// The bar: what the refresh makes of the contained controls (the buttons'
// states, the track's scale and the thumb), what the layout leaves of it
// before and after Show, the button pictures, and input on it: the held-button
// loop and its end, the buttons' pointer events and the thumb drag.
#include <map>

#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {
namespace {

using Refresh = ContainerTest;

TEST_F(Refresh, RefreshMeasuresTheContents) {
  // On the margins, a twip beyond, margins changed, their sum overflowing.
  const std::tuple<std::vector<std::pair<float, float>>, int32_t, int32_t, const char*> cases[] = {
      {{{60, 100}, {2000, 940}}, 60, 60, "N- N- | 255 2490 3060 | 0 3120"},
      {{{59, 100}, {2001, 940}}, 60, 60, "U+ U+ | 255 2490 3061 | 0 3120"},
      {{{30, 1000}}, -100, 60, "N- N- | 255 2490 990 | 0 2960"},
      {{{0, 1000}}, INT32_MAX, 1, "U+ N- | 255 2490 1000 | 0 3000"},
  };
  for (const auto& [placed, upper, lower, bar] : cases) {
    SCOPED_TRACE(bar);
    Fresh();
    for (const auto& [top, height] : placed) Place(top, height);
    sc->UpperMargin(upper);
    sc->LowerMargin(lower);
    const int32_t paints = Track().RefreshCount();
    RefreshBar();  // the setters refreshed already: only the repaint is left
    EXPECT_EQ(Bar(), bar);
    EXPECT_EQ(Track().RefreshCount(), paints + 1);
  }
}

// Once the last control is gone, a press on a button its removal left shown
// only shows the pressed picture, an armed drag stops before the refresh, and
// the refresh (the layout's too, after yielding) hides everything.
TEST_F(Refresh, WithoutContainedControlsEverythingHidesAndTheThumbStays) {
  for (const bool layout : {false, true}) {
    SCOPED_TRACE(layout ? "layout, up" : "refresh, down");
    Fresh();
    auto only = Place(-500, 5000);
    RefreshBar();
    TrackDown(600);
    form->Remove(*only);
    Image& button = layout ? Up() : Down();
    ReleaseAfter(2, button);  // ends a loop that would wrongly run
    EXPECT_EQ(Hold(button), 0);
    EXPECT_EQ(State(button, layout), "D+");
    ClearMessages();
    const int32_t repaints = sc->RefreshCount();
    TrackMove(800);
    EXPECT_EQ(sc->RefreshCount(), repaints);
    const int64_t yields = YieldCount();
    layout ? sc->Refresh() : RefreshBar();
    EXPECT_EQ(YieldCount(), yields + (layout ? 1 : 0));
    EXPECT_EQ(Bar(), "~N+ ~N+ | ~255 2490 5120 | 500 3120");
  }
}

TEST_F(Refresh, MarginsRefreshTheBarAtOnce) {
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

// The buttons start with the U pictures of the thread's one shared set; the
// layout before Show gives an enabled button its pressed picture.
TEST_F(Refresh, BeforeShowAnEnabledButtonShowsItsPressedPicture) {
  ZelScrollContainer bare;
  EXPECT_EQ(dynamic_cast<Image&>(*bare.FindConstituent("sU")).Picture(), ButtonPictures().UpU);
  EXPECT_EQ(dynamic_cast<Image&>(*bare.FindConstituent("sD")).Picture(), ButtonPictures().DownU);
  Fresh(/*showFirst=*/false);
  Place(-200, 4000);
  sc->Refresh();
  EXPECT_EQ(Buttons(), "D+ D+");
}

using Input = ContainerTest;

// Held to the end, the button scrolls one twip a pass, greys when nothing is
// left beyond its edge and takes the release all the same: the next time the
// contents reach beyond that edge it shows the released picture.
TEST_F(Input, AHeldButtonScrollsToTheEndGreyingAsItGets) {
  for (const bool up : {false, true}) {
    SCOPED_TRACE(up ? "up" : "down");
    Fresh();
    Place(up ? 50 : 500, 500);
    Place(up ? 1000 : 2000, 950);  // bottom + margin is ScaleHeight + 10
    Place(9000, 400, false);       // hidden, far below: carried along only
    RefreshBar();
    Image& button = up ? Up() : Down();
    EXPECT_EQ(Hold(button), 11);
    EXPECT_EQ(Tops(),
              (up ? std::vector<float>{61, 1011, 9011} : std::vector<float>{489, 1989, 8989}));
    EXPECT_EQ(State(button, up), "N-");
    form->MouseUp(CenterX(button), CenterY(button));
    for (const ControlPtr& control : sc->ContainedList())
      control->Top(control->Top() + (up ? -100 : 100));
    RefreshBar();
    EXPECT_EQ(State(button, up), "U+");
    // Released off the button, with no Click, the passes end with the contents
    // still beyond; an object without Top is carried along.
    Fresh();
    Place(100, 500);
    Place(20000, 500);
    if (up) form->AddObject<Menu>("mnu", sc.get());
    RefreshBar();
    ReleaseAfter(up ? 30 : 1, up ? Up() : Down(), -30);
    EXPECT_EQ(Hold(up ? Up() : Down()), up ? 30 : 1);
    EXPECT_EQ(Tops(), (up ? std::vector<float>{130, 20030} : std::vector<float>{99, 19999}));
    EXPECT_EQ(Buttons(), up ? "U+ U+" : "N- U+");
  }
}

// A held loop whose form is unloaded under it ends there (nothing can release the button now).
TEST_F(Input, TheLoopEndsWhenTheFormGoesAway) {
  Place(100, 500);
  form->AddObject<Menu>("mnu", sc.get());
  RefreshBar();
  ScheduleAfterYields(3, [this] { form->Unload(); });
  ScheduleAfterYields(1000, [this] { ZelScrollContainerProbe::Release(*sc); });
  EXPECT_EQ(Hold(Down()), 3);
  ClearMessages();
}

// Pointer events on either button and on the surface reach the application as
// the container's own. The layout greys buttons already shown; a click refreshes.
TEST_F(Input, PointerEventsOnTheButtonsAndTheSurfaceGoThroughTheContainer) {
  Place(-100, 30000);
  RefreshBar();
  for (Image* button : {&Up(), &Down()}) {
    const int32_t x = CenterX(*button), y = CenterY(*button);
    form->MouseMove(button->FormRect().left + 2, button->FormRect().top + 4, 0);
    ReleaseAfter(1, *button);
    form->MouseDown(x, y);
    form->Dispatch(Message::Mouse(MessageKind::DblClick, form, x, y, kLeftButton));
    form->MouseUp(x, y);
  }
  sc->Refresh();
  EXPECT_EQ(Bar(), "N- N- | 255 2490 30120 | 100 3120");
  const int32_t x = CenterX(*sc), y = CenterY(*sc);
  form->MouseMove(x, y, 0);
  form->Click(x, y);
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{
                "MouseMove#4 0 0 2070 60", "MouseDown#3 1 0 2100 120", "MouseUp#5 1 0 2100 120",
                "Click#1", "DblClick#2", "MouseUp#5 1 0 2100 120", "MouseMove#4 0 0 2070 2805",
                "MouseDown#3 1 0 2100 2865", "MouseUp#5 1 0 2100 2865", "Click#1", "DblClick#2",
                "MouseUp#5 1 0 2100 2865", "MouseMove#4 0 0 1080 1500", "MouseDown#3 1 0 1080 1500",
                "MouseUp#5 1 0 1080 1500", "Click#1"}));
  EXPECT_EQ(Buttons(), "U+ U+");
}

// The thumb 0..3120: after a press inside it, a press at y arms or disarms;
// other buttons neither arm, disarm nor move; at an end the greyed button
// refuses the move until a refresh shows the contents beyond.
TEST_F(Input, ALeftPressOnTheThumbArmsADragThatMovesEveryControl) {
  Place(60, 1000);
  Place(5000, 1000);
  Place(8000, 100, false);
  RefreshBar();
  const std::pair<float, float> cases[] = {{0, 10}, {3120, 10}, {3121, 0}, {-1, 0}};
  for (const auto& [y, moved] : cases) {
    TrackDown(100);
    TrackDown(y);
    const float before = Tops()[1];
    TrackMove(y + 10);
    EXPECT_EQ(before - Tops()[1], moved) << y;
  }
  TrackDown(100);
  for (int16_t other : {kRightButton, kMiddleButton, int16_t(kLeftButton | kRightButton)}) {
    TrackDown(5000, other);
    TrackMove(400, other);
  }
  const int32_t repaints = sc->RefreshCount();
  TrackMove(400);
  EXPECT_EQ(Tops(), (std::vector<float>{-260, 4680, 7680}));  // the hidden one too
  EXPECT_EQ(Bar(), "U+ U+ | 255 2490 8160 | 260 3120");
  EXPECT_EQ(sc->RefreshCount(), repaints + 1);
  form->Find("c1")->Top(-1000);
  sc->Refresh();
  ASSERT_EQ(Buttons(), "N- N-");
  TrackDown(1000);
  TrackMove(1200);
  TrackMove(900);
  EXPECT_EQ(Tops(), (std::vector<float>{-1000, 4680, 7680}));
  RefreshBar();
  TrackMove(910);
  EXPECT_EQ(Tops(), (std::vector<float>{-1010, 4670, 7670}));
}

// A picture's rows of pixels: F face, L light, K dark, B black, G greyed arrow.
std::string Letters(const PicturePtr& picture) {
  const std::map<Argb, char> letters = {{ToArgb(Rgb(127, 143, 144)), 'F'},
                                        {ToArgb(Rgb(191, 199, 207)), 'L'},
                                        {ToArgb(Rgb(79, 95, 96)), 'K'},
                                        {ToArgb(Rgb(0, 0, 0)), 'B'},
                                        {ToArgb(Rgb(192, 200, 208)), 'G'}};
  const Raster& r = picture->Pixels();
  std::string rows;
  for (int32_t i = 0; i < r.Width() * r.Height(); ++i) {
    const auto letter = letters.find(r.At(i % r.Width(), i / r.Width()));
    rows += std::string(i && i % r.Width() == 0 ? " " : "") +
            (letter == letters.end() ? '?' : letter->second);
  }
  return rows;
}

TEST(ButtonPictures, RaisedSunkenAndGreyed) {
  const ScrollButtonPictures& p = ButtonPictures();
  // Sunken: dark and black above and left, light and face below and right,
  // the arrow one pixel right and down.
  EXPECT_EQ(Letters(p.DownD),
            "KKKKKKKKL KBBBBBBFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL "
            "KBFFBBBFL KBFFFBFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KBFFFFFFL KFFFFFFFL "
            "LLLLLLLLL");
  // Rows 7 to 9 of the up arrow pressed: the point above its base.
  EXPECT_EQ(Letters(p.UpD).substr(70, 29), "KBFFFFFFL KBFFFBFFL KBFFBBBFL");
}

}  // namespace
}  // namespace lumora
