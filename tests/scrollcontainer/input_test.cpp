// Input on the bar: the held-button loop and its end, the buttons' pointer
// events in container coordinates, and the thumb drag on the track.
#include "container_fixture.hpp"
#include "platform/controls/menu.hpp"

namespace lumora {
namespace {

class Input : public ContainerTest {
 protected:
  void SetUp() override { Make(2175, 3000); }
  // Passes a press on a button's centre makes (each pass yields once).
  int64_t Hold(Image& button, int16_t mouseButton = kLeftButton) {
    const int64_t before = YieldCount();
    form->MouseDown(CenterX(button), CenterY(button), mouseButton);
    return YieldCount() - before;
  }
  // The release, that many yields into a press, dx pixels right of the centre.
  void ReleaseAfter(int32_t yields, Image& button, int32_t dx = 0) {
    ScheduleAfterYields(yields, Message::Mouse(MessageKind::MouseUp, form, CenterX(button) + dx,
                                               CenterY(button), kLeftButton));
  }
  // How far a move of the pointer on the track from y to y + 10 scrolls the
  // contents: 10 while a drag is armed with y as the last position, else 0.
  float DraggedBy(float y) {
    const float before = Tops()[1];
    TrackMove(y + 10);
    return before - Tops()[1];
  }
};

struct HoldCase {
  const char* name;
  bool up;
  int16_t mouseButton;
  std::vector<float> placed, tops;
  const char* firstEvent;
};

TEST_F(Input, AHeldButtonScrollsToTheEndGreyingAsItGets) {
  const HoldCase cases[] = {
      {"down", false, kLeftButton, {500, 2000}, {489, 1989, 8989}, "MouseDown#3 1 0 2100 2865"},
      {"up", true, kLeftButton, {50, 1000}, {61, 1011, 9011}, "MouseDown#3 1 0 2100 120"},
      {"right", false, kRightButton, {0, 2000}, {-11, 1989, 8989}, "MouseDown#3 2 0 2100 2865"},
  };
  for (const HoldCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    SetUp();
    Place(c.placed[0], 500);
    Place(c.placed[1], 950);  // bottom + margin is ScaleHeight + 10
    Place(9000, 400, false);  // hidden, far below: carried along only
    RefreshBar();
    Image& button = c.up ? Up() : Down();
    // The button as the application's MouseDown handler sees it, then after
    // each pass: pressed while the contents could scroll, greyed from the tenth.
    std::string states;
    log->onEvent = [&] { states += states.empty() ? State(button, c.up) : ""; };
    for (int32_t pass = 1; pass <= 11; ++pass)
      ScheduleAfterYields(pass, [&] { states += " " + State(button, c.up); });
    EXPECT_EQ(Hold(button, c.mouseButton), 11);
    EXPECT_EQ(Tops(), c.tops);
    EXPECT_EQ(states, "D+ D+ D+ D+ D+ D+ D+ D+ D+ D+ N- N-");
    EXPECT_EQ(State(button, c.up), "N-");
    // The release reaches the greyed button all the same: the next time the
    // contents reach beyond that edge it shows the released picture.
    form->MouseUp(CenterX(button), CenterY(button), c.mouseButton);
    EXPECT_EQ(log->entries.front(), c.firstEvent);
    EXPECT_EQ(log->entries.size(), 2u);  // and the MouseUp; no Click
    for (const ControlPtr& control : sc->ContainedList())
      control->Top(control->Top() + (c.up ? -100 : 100));
    RefreshBar();
    EXPECT_EQ(State(button, c.up), "U+");
  }
}

struct PassCase {
  const char* name;
  bool up, menu;
  float secondTop;
  std::optional<float> secondMovedTo;  // by the application, after the refresh
  int32_t releaseAfter;                // 0: not released
  int64_t passes;
  std::vector<float> tops;
  const char* after;
};

TEST_F(Input, ThePassesAHeldButtonMakes) {
  const PassCase cases[] = {
      {"a short press", false, false, 20000, {}, 1, 1, {99, 19999}, "N- U+"},
      {"released in the middle", false, false, 30000, {}, 5, 5, {95, 29995}, "N- U+"},
      {"one pass with nothing beyond", false, false, 20000, 200, 0, 1, {99, 199}, "N- N-"},
      {"an object without Top", true, true, 20000, {}, 30, 30, {130, 20030}, "U+ U+"},
  };
  for (const PassCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    SetUp();
    Place(100, 500);
    auto second = Place(c.secondTop, 500);
    if (c.menu) form->AddObject<Menu>("mnu", sc.get());
    RefreshBar();
    if (c.secondMovedTo) second->Top(*c.secondMovedTo);
    Image& button = c.up ? Up() : Down();
    // Released off the button no Click follows: the release alone refreshes the bar.
    if (c.releaseAfter) ReleaseAfter(c.releaseAfter, button, -30);
    EXPECT_EQ(Hold(button), c.passes);
    EXPECT_EQ(Tops(), c.tops);
    EXPECT_EQ(Buttons(), c.after);
  }
}

// A held loop whose form is unloaded under it ends there (nothing can release
// the button any more).
TEST_F(Input, TheLoopEndsWhenTheFormGoesAway) {
  Place(100, 500);
  form->AddObject<Menu>("mnu", sc.get());
  RefreshBar();
  ScheduleAfterYields(3, [this] { form->Unload(); });
  ScheduleAfterYields(1000, [this] { ZelScrollContainerProbe::Release(*sc); });
  EXPECT_EQ(Hold(Down()), 3);
  ClearMessages();
}

// With nothing contained, a press on a button the last control's removal
// left shown only shows the pressed picture, and an armed drag stops before
// the refresh.
TEST_F(Input, WithNothingContainedNeitherAPressNorADragMoves) {
  for (const bool up : {true, false}) {
    SCOPED_TRACE(up ? "up" : "down");
    Fresh();
    SetUp();
    auto only = Place(-500, 5000);
    RefreshBar();
    TrackDown(600);
    form->Remove(*only);
    Image& button = up ? Up() : Down();
    ReleaseAfter(2, button);  // ends a loop that would wrongly run
    EXPECT_EQ(Hold(button), 0);
    EXPECT_EQ(State(button, up), "D+");
    ClearMessages();
    const int32_t repaints = sc->RefreshCount();
    TrackMove(800);
    EXPECT_EQ(sc->RefreshCount(), repaints);
  }
}

TEST_F(Input, PointerEventsOnEitherButtonGoThroughTheContainer) {
  Place(-100, 30000);
  RefreshBar();
  for (Image* button : {&Up(), &Down()}) {
    // A move changes neither the picture nor the contents.
    const auto before = std::tuple(button->Picture(), Tops());
    const PixelRect r = button->FormRect();
    form->MouseMove(r.left + 2, r.top + 4, 0);
    EXPECT_EQ(std::tuple(button->Picture(), Tops()), before);
    const int32_t x = CenterX(*button), y = CenterY(*button);
    ReleaseAfter(1, *button);
    form->MouseDown(x, y);
    const int32_t paints = Track().RefreshCount();
    form->Dispatch(Message::Mouse(MessageKind::DblClick, form, x, y, kLeftButton));
    EXPECT_EQ(Track().RefreshCount(), paints);  // DblClick alone refreshes nothing
    form->MouseUp(x, y);
  }
  EXPECT_EQ(log->entries,
            (std::vector<std::string>{"MouseMove#4 0 0 2070 60", "MouseDown#3 1 0 2100 120",
                                      "MouseUp#5 1 0 2100 120", "Click#1", "DblClick#2",
                                      "MouseUp#5 1 0 2100 120", "MouseMove#4 0 0 2070 2805",
                                      "MouseDown#3 1 0 2100 2865", "MouseUp#5 1 0 2100 2865",
                                      "Click#1", "DblClick#2", "MouseUp#5 1 0 2100 2865"}));
}

// The track: contents 0..8100 in a scale of 8220, the thumb 0..3120.
class Drag : public Input {
 protected:
  void SetUp() override {
    Input::SetUp();
    Place(60, 1000);
    Place(5000, 1000);
    Place(8000, 100, false);
    RefreshBar();
  }
};

TEST_F(Drag, APressArmsOnTheThumbEdgesIncludedAndDisarmsOutside) {
  const std::tuple<float, float, bool> cases[] = {
      {0, 0, true},     {0, 3120, true},   {0, 3121, false},   {500, 499, false},
      {500, 500, true}, {500, 3620, true}, {500, 3621, false},
  };
  for (const auto& [scrolled, y, arms] : cases) {
    SCOPED_TRACE(::testing::Message() << scrolled << " " << y);
    Fresh();
    SetUp();
    if (scrolled) form->Find("c1")->Top(-scrolled);
    RefreshBar();
    TrackDown(scrolled + 100);
    TrackDown(y);
    EXPECT_EQ(DraggedBy(y), arms ? 10 : 0);
  }
}

TEST_F(Drag, OnlyALeftDragMovesEveryControlByTheDistanceInTrackUnits) {
  TrackDown(100);
  for (int16_t other : {kRightButton, kMiddleButton, int16_t(kLeftButton | kRightButton)}) {
    TrackDown(5000, other);  // outside the thumb, yet it does not disarm
    TrackMove(400, other);
  }
  const int32_t repaints = sc->RefreshCount();
  TrackMove(400);
  EXPECT_EQ(Tops(), (std::vector<float>{-240, 4700, 7700}));  // the hidden one too
  EXPECT_EQ(Bar(), "U+ U+ | 255 2490 8160 | 240 3120");
  EXPECT_EQ(sc->RefreshCount(), repaints + 1);
  TrackMove(250);
  EXPECT_EQ(Tops(), (std::vector<float>{-90, 4850, 7850}));
  TrackDown(5000);
  TrackDown(100, kRightButton);  // nor does it arm
  EXPECT_EQ(DraggedBy(110), 0);
}

// At an end the greyed button refuses the move, until a refresh shows that
// the contents reach beyond it.
TEST_F(Drag, AfterALayoutMovesWaitForTheNextRefreshAndAreNotMadeUp) {
  form->Find("c1")->Top(-1000);
  sc->Refresh();
  ASSERT_EQ(Buttons(), "N- N-");
  TrackDown(1000);
  TrackMove(1200);
  TrackMove(900);
  EXPECT_EQ(Tops(), (std::vector<float>{-1000, 5000, 8000}));
  RefreshBar();
  TrackMove(910);
  EXPECT_EQ(Tops(), (std::vector<float>{-1010, 4990, 7990}));
}

}  // namespace
}  // namespace lumora
