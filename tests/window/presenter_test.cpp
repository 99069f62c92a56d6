// The presenter over SDL's offscreen driver, and the windows an application
// opens with it: windows follow the shown forms and show the renderer's
// frames, real input and window events (size, focus, closing) become the
// runtime's messages, Run ends with the last window, a bad start says why.
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/render/render_form.hpp"
#include "presenter_fixture.hpp"
#include "support/error_of.hpp"
#include "support/platform_pictures.hpp"

namespace lumora::window::testing {
namespace {

// A window's size and title, as "320x240 Frames".
std::string SizeAndTitle(FormWindow& window) {
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window.Window(), &w, &h);
  return std::to_string(w) + "x" + std::to_string(h) + " " + SDL_GetWindowTitle(window.Window());
}

TEST_F(PresenterTest, WindowsFollowTheShownFormsAndShowTheRenderersFrame) {
  auto form = ShownForm(320, 240);
  form->Caption("Frames");
  form->Add<TextBox>("txt", 150, 150, 1500, 300)->Text("Hello");
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "320x240 Frames");
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  // Drawn again only when the frame changed or the window was exposed.
  const int64_t drawn = Window(*form).PresentCount();
  DoEvents();
  EXPECT_EQ(Window(*form).PresentCount(), drawn);
  Push(*form, WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  DoEvents();
  presenter->Present();
  EXPECT_EQ(Window(*form).PresentCount(), drawn + 1);
  form->Caption("Second title");
  form->ResizeClient(260, 130);
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "260x130 Second title");
  // Hidden, shown again, a form never shown, unloaded.
  const std::pair<std::function<void()>, size_t> steps[] = {
      {[&] { form->Hide(); }, 0},
      {[&] { form->Show(); }, 1},
      {[&] { Form::Create("NotShown", 50, 50); }, 1},
      {[&] { form->Unload(); }, 0},
  };
  for (const auto& [step, windows] : steps) {
    step();
    presenter->Present();
    EXPECT_EQ(presenter->WindowCount(), windows);
  }
  // No window, no input can come: a wait says so instead of blocking.
  EXPECT_FALSE(presenter->Wait());
}

TEST_F(PresenterTest, AFormNoWindowCanHoldIsReportedAndTheOthersGoOn) {
  auto form = ShownForm(200, 100);
  auto huge = Form::Create("Huge", 40000, 100);
  huge->Show();
  ::testing::internal::CaptureStderr();
  presenter->Present();
  DoEvents();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(presenter->WindowCount(), 1u);
  // Said once, not at every yield.
  EXPECT_NE(said.find("cannot show form Huge in a window"), std::string::npos) << said;
  EXPECT_EQ(said.find("Huge", said.find("Huge") + 4), std::string::npos) << said;
  // Shown again at a size a window can hold, it gets one.
  huge->Hide();
  presenter->Present();
  huge->ResizeClient(300, 100);
  huge->Show();
  presenter->Present();
  EXPECT_EQ(presenter->WindowCount(), 2u);
}

// A drag and a held arrow key in the window scroll a 200 x 150 ZelPicZoom at
// (20, 10), showing a 300 x 250 picture, as the same input given headless does.
TEST_F(PresenterTest, DragsAndHeldKeysInTheWindowScrollAsTheyDoHeadless) {
  auto form = ShownForm(320, 200);
  form->Add<ZelPicZoom>("z1", 15 * 20, 15 * 10, 15 * 200, 15 * 150)
      ->Picture(lumora::testing::RandomPicture(300, 250));
  auto& across = dynamic_cast<ScrollBar&>(*form->FindPath("z1.HScroll"));
  auto& down = dynamic_cast<ScrollBar&>(*form->FindPath("z1.VScroll"));
  across.Value(50);
  down.Value(50);
  Push(*form, ButtonEvent(SDL_MOUSEBUTTONDOWN, 100, 80));
  Push(*form, MotionEvent(93, 83, SDL_BUTTON_LMASK));
  Push(*form, MotionEvent(90, 90, SDL_BUTTON_LMASK));
  Push(*form, ButtonEvent(SDL_MOUSEBUTTONUP, 90, 90));
  DoEvents();
  EXPECT_EQ(across.Value(), 60);
  EXPECT_EQ(down.Value(), 40);
  // The key-up, pushed in the loop's 3rd yield, is read in the next: four passes.
  ScheduleAfterYields(4, [&] { Push(*form, KeyEvent(SDL_KEYUP, SDLK_RIGHT)); });
  const int64_t drawn = Window(*form).PresentCount();
  Push(*form, KeyEvent(SDL_KEYDOWN, SDLK_RIGHT));
  DoEvents();
  EXPECT_EQ(across.Value(), 64);
  EXPECT_FALSE(g_KeyHeld);
  // Every pass of the loop yields, and every yield showed the step before it.
  EXPECT_GE(Window(*form).PresentCount(), drawn + 4);
}

TEST_F(PresenterTest, ResizingTheWindowResizesTheFormThenTheHostLaysItOut) {
  auto form = ShownForm(200, 100);
  std::vector<int32_t> laidOut;  // the form's width at each layout
  presenter->OnResized([&](Form& f) { laidOut.push_back(f.ClientWidth()); });
  SDL_SetWindowSize(Window(*form).Window(), 340, 180);
  DoEvents();
  EXPECT_EQ(form->ClientHeight(), 180);
  EXPECT_EQ(laidOut, std::vector<int32_t>{340});  // once the form had its size
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "340x180 " + form->Caption());  // not set back meanwhile
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  // A size change that is the form's own (the window following it) is no resize.
  form->ResizeClient(300, 150);
  presenter->Present();
  DoEvents();
  EXPECT_EQ(laidOut.size(), 1u);
}

TEST_F(PresenterTest, BeingAskedToQuitClosesEveryWindow) {
  auto first = ShownForm(200, 100);
  auto second = ShownForm(100, 100);
  SDL_Event quit{.type = SDL_QUIT};
  SDL_PushEvent(&quit);
  DoEvents();
  EXPECT_FALSE(first->IsLoaded() || second->IsLoaded());
}

TEST_F(PresenterTest, AModalFormTakesTheInputOfTheOtherWindows) {
  auto owner = ShownForm(200, 100);
  auto text = owner->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  int ownerPresses = 0;
  text->MouseDown.Connect([&](int16_t&, int16_t&, float&, float&) { ++ownerPresses; });
  auto dialog = Form::Create("Dialog", 120, 80);
  const auto pressOwner = [&] {
    Push(*owner, ButtonEvent(SDL_MOUSEBUTTONDOWN, 10, 10));
    Push(*owner, ButtonEvent(SDL_MOUSEBUTTONUP, 10, 10));
  };
  // With the dialog up: a press on the owner and its closing (refused), the dialog's closing.
  presenter->OnWake([&](int32_t) {
    pressOwner();
    Push(*owner, WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Push(*dialog, WindowEvent(SDL_WINDOWEVENT_CLOSE));
  });
  Presenter::Wake(1);
  dialog->Show(1);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(owner->IsLoaded());
  EXPECT_EQ(ownerPresses, 0);
  // With the dialog gone the owner takes input again.
  pressOwner();
  DoEvents();
  EXPECT_EQ(ownerPresses, 1);
}

TEST_F(PresenterTest, WakesFromAnotherThreadRunAsMessagesAndEndAWait) {
  auto form = ShownForm(100, 100);
  std::vector<int32_t> codes;
  presenter->OnWake([&](int32_t c) { codes.push_back(c); });
  // A wake already pending when the wait starts.
  std::thread([] { Presenter::Wake(7); }).join();
  ASSERT_TRUE(presenter->Wait());
  EXPECT_TRUE(codes.empty());  // queued, not run inside the wait
  DoEvents();
  EXPECT_EQ(codes, std::vector<int32_t>{7});
  // A wait that starts with nothing pending.
  std::thread waker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Presenter::Wake(3);
  });
  while (codes.size() < 2) {
    ASSERT_TRUE(presenter->Wait());
    DoEvents();
  }
  waker.join();
  EXPECT_EQ(codes, (std::vector<int32_t>{7, 3}));
}

TEST_F(PresenterTest, TheWheelFocusAndPointerAreTheControlsOwn) {
  auto form = ShownForm(300, 200);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 50);
  auto bar = form->Add<VScrollBar>("bar", 15 * 200, 0, 15 * 17, 15 * 150);
  bar->Max(100);
  text->SetFocus();
  std::string focus;
  text->GotFocus.Connect([&] { focus += "got "; });
  text->LostFocus.Connect([&] { focus += "lost "; });
  // A notch towards the user over the bar: three small changes down.
  Push(*form, WheelEvent(-1, 205, 75));
  Push(*form, WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  Push(*form, WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  DoEvents();
  EXPECT_EQ(bar->Value(), 3);
  EXPECT_EQ(focus, "lost got ");
  // The pointer shown is the one the control under it asks for.
  text->MousePointer(kPointerIBeam);
  for (const auto& [x, pointer] : {std::pair(10, kPointerIBeam), std::pair(150, kPointerDefault)}) {
    Push(*form, MotionEvent(x, 10, 0));
    DoEvents();
    presenter->Present();
    EXPECT_EQ(presenter->PointerShown().pointer, pointer) << x;
  }
  // The screen's pointer wins everywhere.
  Screen().MousePointer(kPointerHourglass);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerHourglass);
  // Once the pointer has left the window, nothing there decides it.
  Push(*form, WindowEvent(SDL_WINDOWEVENT_LEAVE));
  DoEvents();
  Screen().MousePointer(kPointerDefault);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerHourglass);
}

TEST_F(PresenterTest, ShowOpensAsAskedAndRunEndsWithTheLastWindow) {
  auto first = Form::Create("First", 200, 100);
  auto second = Form::Create("Second", 120, 80);
  auto text = second->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  windows->Show(*first, {.resizable = true, .left = 30, .top = 40});
  windows->Show(*second);
  ASSERT_EQ(windows->WindowCount(), 2u);
  EXPECT_EQ(std::pair(first->ScreenLeft(), first->ScreenTop()), std::pair(30, 40));
  EXPECT_NE(SDL_GetWindowFlags(Window(*first).Window()) & SDL_WINDOW_RESIZABLE, 0u);
  EXPECT_EQ(SDL_GetWindowFlags(Window(*second).Window()) & SDL_WINDOW_RESIZABLE, 0u);
  text->SetFocus();
  DoEvents();
  // The user closes the first window and types into the second, the typing
  // reaching the window after the wake was read but before its handler ran:
  // the handler sees it all, then closes the second.
  std::string seen = "(not woken)";
  windows->OnWake([&](int32_t) {
    seen = text->Text();
    Push(*second, WindowEvent(SDL_WINDOWEVENT_CLOSE));
  });
  Push(*first, WindowEvent(SDL_WINDOWEVENT_CLOSE));
  Post([&] { Push(*second, TextEvent("ab")); });
  Windows::Wake(1);
  windows->Run();
  EXPECT_EQ(seen, "ab");
  EXPECT_FALSE(second->IsLoaded()) << "Run ended before the second window closed";
}

// A display that cannot be had, and a second start on one thread. This
// program's windows are all offscreen: the display variables need no restoring.
TEST(WindowsStart, AStartThatCannotWorkSaysWhyAndLeavesThePumpAlone) {
  const std::tuple<const char*, bool, const char*> cases[] = {
      {nullptr, false, "no display"},  // no display named at all
      {"no-such-driver", false, "cannot open a window"},
      {"offscreen", true, "open on this thread"},
  };
  for (const auto& [driver, alreadyOpen, says] : cases) {
    SCOPED_TRACE(says);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) unsetenv(name);
    if (driver) setenv("SDL_VIDEODRIVER", driver, 1);
    std::optional<Windows> open;
    if (alreadyOpen) open.emplace();
    MessagePump* const pump = CurrentMessagePump();
    const Failure e = FailureOf([] { Windows windows; });
    EXPECT_EQ(e.Number(), kErrInvalidCall);
    EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    EXPECT_EQ(CurrentMessagePump(), pump);
    EXPECT_EQ(Windows::DisplayAvailable(), driver != nullptr);
  }
}

}  // namespace
}  // namespace lumora::window::testing
