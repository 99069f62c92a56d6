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

#include "platform/controls/text_box.hpp"
#include "platform/render/render_form.hpp"
#include "presenter_fixture.hpp"
#include "support/error_of.hpp"

namespace lumora::window::testing {
namespace {

// A window's size and title, as "320x240 Shown".
std::string SizeAndTitle(FormWindow& window) {
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window.Window(), &w, &h);
  return std::to_string(w) + "x" + std::to_string(h) + " " + SDL_GetWindowTitle(window.Window());
}

TEST_F(PresenterTest, WindowsFollowTheShownFormsAndShowTheRenderersFrame) {
  auto form = ShownForm(320, 240);
  std::vector<std::pair<int32_t, int32_t>> laidOut;  // the form's size at each layout
  presenter->OnResized([&](Form& f) { laidOut.emplace_back(f.ClientWidth(), f.ClientHeight()); });
  form->Add<TextBox>("txt", 150, 150, 1500, 300)->Text("Hello");
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "320x240 Shown");  // no caption: the name
  // Drawn again only when the frame changed.
  const int64_t drawn = Window(*form).PresentCount();
  DoEvents();
  EXPECT_EQ(Window(*form).PresentCount(), drawn);
  // The window follows the program's title and size; that is no resize.
  form->Caption("Second title");
  form->ResizeClient(260, 130);
  DoEvents();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "260x130 Second title");
  // The user's size goes to the form, then the host lays it out (once).
  SDL_SetWindowSize(Window(*form).Window(), 340, 180);
  DoEvents();
  EXPECT_EQ(laidOut, (std::vector<std::pair<int32_t, int32_t>>{{340, 180}}));
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "340x180 Second title");  // not set back meanwhile
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  // Hidden, shown again, one no window can hold (said once, not at every yield),
  // another shown; asked to quit (a signal, the session ending), all close.
  SDL_Event quit{.type = SDL_QUIT};
  const std::pair<std::function<void()>, size_t> steps[] = {
      {[&] { form->Hide(); }, 0},
      {[&] { form->Show(); }, 1},
      {[&] { Form::Create("Huge", 40000, 100)->Show(); }, 1},
      {[&] { ShownForm(100, 100); }, 2},
      {[&] { SDL_PushEvent(&quit); }, 0},
  };
  ::testing::internal::CaptureStderr();
  for (const auto& [step, windows] : steps) {
    step();
    DoEvents();
    presenter->Present();
    EXPECT_EQ(presenter->WindowCount(), windows);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot show form Huge in a window"), std::string::npos) << said;
  EXPECT_EQ(said.find("Huge", said.find("Huge") + 4), std::string::npos) << said;
  // No window, no input can come: a wait says so instead of blocking.
  EXPECT_FALSE(presenter->Wait());
}

TEST_F(PresenterTest, AModalFormTakesTheInputOfTheOtherWindows) {
  auto owner = ShownForm(200, 100);
  auto text = owner->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  int ownerPresses = 0;
  text->MouseDown.Connect([&](int16_t&, int16_t&, float&, float&) { ++ownerPresses; });
  auto dialog = Form::Create("Dialog", 120, 80);
  // With the dialog up: a press on the owner and its closing (refused), the dialog's closing.
  presenter->OnWake([&](int32_t) {
    Push(*owner, ButtonEvent(SDL_MOUSEBUTTONDOWN, 10, 10));
    Push(*owner, WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Push(*dialog, WindowEvent(SDL_WINDOWEVENT_CLOSE));
  });
  Presenter::Wake(1);
  dialog->Show(1);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(owner->IsLoaded());
  EXPECT_EQ(ownerPresses, 0);
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
  std::jthread waker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Presenter::Wake(3);
  });
  while (codes.size() < 2 && presenter->Wait()) DoEvents();
  EXPECT_EQ(codes, (std::vector<int32_t>{7, 3}));
}

TEST_F(PresenterTest, TheFocusAndThePointerShownAreTheControlsOwn) {
  auto form = ShownForm(300, 200);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 50);
  text->SetFocus();
  std::string focus;
  text->GotFocus.Connect([&] { focus += "got "; });
  text->LostFocus.Connect([&] { focus += "lost "; });
  Push(*form, WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  Push(*form, WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  DoEvents();
  EXPECT_EQ(focus, "lost got ");
  // The pointer shown is the one the control under it asks for.
  text->MousePointer(kPointerIBeam);
  for (const auto& [x, pointer] : {std::pair(150, kPointerDefault), std::pair(10, kPointerIBeam)}) {
    Push(*form, MotionEvent(x, 10, 0));
    DoEvents();
    presenter->Present();
    EXPECT_EQ(presenter->PointerShown().pointer, pointer) << x;
  }
  // Once the pointer has left the window, nothing there decides it.
  Push(*form, WindowEvent(SDL_WINDOWEVENT_LEAVE));
  DoEvents();
  text->MousePointer(kPointerHourglass);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerIBeam);
}

TEST_F(PresenterTest, ShowOpensAsAskedAndRunEndsWithTheLastWindow) {
  auto first = Form::Create("First", 200, 100);
  windows->Show(*first, {.resizable = true, .left = 30, .top = 40});
  auto second = ShownForm(120, 80);
  auto text = second->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  EXPECT_EQ(std::pair(first->ScreenLeft(), first->ScreenTop()), std::pair(30, 40));
  EXPECT_NE(SDL_GetWindowFlags(Window(*first).Window()) & SDL_WINDOW_RESIZABLE, 0u);
  text->SetFocus();
  DoEvents();
  // The user closes the first window and types into the second after the wake
  // was read, before its handler ran: the handler sees it, then closes the second.
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
