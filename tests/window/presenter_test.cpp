// The presenter over SDL's offscreen driver: windows follow the shown forms
// and show exactly the renderer's frames, real input reaches the runtime as
// its own messages (with the same results as the same input given headless),
// and window events (size, focus, closing) become the runtime's events.
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/render_form.hpp"
#include "presenter_fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora::window::testing {
namespace {

using lumora::testing::RandomPicture;

ScrollBar& Bar(const Form& form, const char* path) {
  return dynamic_cast<ScrollBar&>(*form.FindPath(path));
}

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
  auto label = form->Add<Label>("lbl", 150, 150, 1500, 300);
  label->Caption("Hello");
  auto zoom = form->Add<ZelPicZoom>("z1", 15 * 20, 15 * 40, 15 * 200, 15 * 150);
  zoom->Picture(RandomPicture(300, 250));
  presenter->Present();
  ASSERT_EQ(presenter->WindowCount(), 1u);
  EXPECT_EQ(SizeAndTitle(Window(*form)), "320x240 Frames");
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  EXPECT_EQ(Window(*form).Shown(), RenderForm(*form));
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
  DoEvents();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(presenter->WindowCount(), 1u);
  EXPECT_NE(presenter->WindowOf(*form), nullptr);
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

TEST_F(PresenterTest, WindowsRedrawOnlyWhenTheFrameChanged) {
  auto form = ShownForm(200, 100);
  auto label = form->Add<Label>("lbl", 150, 150, 1500, 300);
  presenter->Present();
  const int64_t drawn = Window(*form).PresentCount();
  presenter->Present();
  DoEvents();  // a yield redraws only what changed: nothing
  EXPECT_EQ(Window(*form).PresentCount(), drawn);
  label->Caption("changed");
  DoEvents();
  EXPECT_EQ(Window(*form).PresentCount(), drawn + 1);
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  // Exposed windows draw again even when nothing changed.
  Push(WindowEvent(*form, SDL_WINDOWEVENT_EXPOSED));
  DoEvents();
  presenter->Present();
  EXPECT_EQ(Window(*form).PresentCount(), drawn + 2);
}

// A 200 x 150 ZelPicZoom at (20, 10) showing a 300 x 250 picture (both bars'
// Max 113), bars at 50, on a form whose client area is at (100, 50).
std::shared_ptr<ZelPicZoom> PlaceViewer(Form& form) {
  auto z = form.Add<ZelPicZoom>("z1", 15 * 20, 15 * 10, 15 * 200, 15 * 150);
  z->Picture(RandomPicture(300, 250));
  Bar(form, "z1.HScroll").Value(50);
  Bar(form, "z1.VScroll").Value(50);
  return z;
}

TEST_F(PresenterTest, DraggingInTheWindowDoesWhatTheSameDragDoesHeadless) {
  // Headless first: the runtime's own input calls.
  Raster headless;
  {
    auto form = Form::Create("Headless", 320, 200);
    form->MoveOnScreen(100, 50);
    form->Show();
    PlaceViewer(*form);
    form->MouseDown(100, 80);
    form->MouseMove(93, 83, kLeftButton);
    form->MouseMove(90, 90, kLeftButton);
    form->MouseUp(90, 90);
    EXPECT_EQ(Bar(*form, "z1.HScroll").Value(), 60);
    EXPECT_EQ(Bar(*form, "z1.VScroll").Value(), 40);
    headless = RenderForm(*form);
    form->Unload();
  }
  // The same start for the window (the presenter stays the message pump).
  ClearMessages();
  SetCursorPos(0, 0);
  g_ButtonHeld = false;
  Err().Clear();
  auto form = ShownForm(320, 200, 100, 50);
  PlaceViewer(*form);
  Push(Button(*form, SDL_MOUSEBUTTONDOWN, 100, 80));
  Push(Motion(*form, 93, 83));
  DoEvents();
  // The pointer's screen position: the window's position plus the pointer's.
  PointApi p;
  GetCursorPos(p);
  EXPECT_EQ(p.x, 193);
  EXPECT_EQ(p.y, 133);
  Push(Motion(*form, 90, 90));
  Push(Button(*form, SDL_MOUSEBUTTONUP, 90, 90));
  DoEvents();
  EXPECT_EQ(Bar(*form, "z1.HScroll").Value(), 60);
  EXPECT_EQ(Bar(*form, "z1.VScroll").Value(), 40);
  presenter->Present();
  EXPECT_EQ(Window(*form).ReadBack(), headless);
}

TEST_F(PresenterTest, AHeldArrowScrollsUntilItsKeyUpArrives) {
  auto form = ShownForm(320, 200);
  PlaceViewer(*form);
  ASSERT_TRUE(form->FindPath("z1.picScroll")->HasFocus());
  // The key-down's own yield counts first, so the key-up is pushed during
  // the loop's 3rd yield and, like any real input, read by the presenter in
  // the next one: four passes.
  ScheduleAfterYields(4, [&] { Push(Key(*form, SDL_KEYUP, SDLK_RIGHT)); });
  const int64_t drawn = Window(*form).PresentCount();
  Push(Key(*form, SDL_KEYDOWN, SDLK_RIGHT));
  DoEvents();
  EXPECT_EQ(Bar(*form, "z1.HScroll").Value(), 54);
  EXPECT_FALSE(g_KeyHeld);
  // Every pass of the loop yields, and every yield showed the step before it.
  EXPECT_GE(Window(*form).PresentCount(), drawn + 4);
  presenter->Present();
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
}

TEST_F(PresenterTest, TextWheelClicksAndFocusReachTheirControls) {
  auto form = ShownForm(300, 200);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  auto bar = form->Add<VScrollBar>("bar", 15 * 200, 0, 15 * 17, 15 * 150);
  bar->Max(100);
  text->SetFocus();
  Push(Text(*form, "h\xC3\xA9!"));
  Push(Key(*form, SDL_KEYDOWN, SDLK_BACKSPACE));
  Push(Key(*form, SDL_KEYUP, SDLK_BACKSPACE));
  DoEvents();
  EXPECT_EQ(text->Text(), "h\xC3\xA9");
  // A notch towards the user over the bar: three small changes down.
  Push(WheelEvent(-1, SDL_MOUSEWHEEL_NORMAL, 205, 75, Window(*form).Id()));
  DoEvents();
  EXPECT_EQ(bar->Value(), 3);
  // Press and release make a Click; the second press of a pair a DblClick.
  int clicks = 0;
  int doubles = 0;
  text->Click.Connect([&] { ++clicks; });
  text->DblClick.Connect([&] { ++doubles; });
  Push(Button(*form, SDL_MOUSEBUTTONDOWN, 10, 10, 1));
  Push(Button(*form, SDL_MOUSEBUTTONUP, 10, 10, 1));
  Push(Button(*form, SDL_MOUSEBUTTONDOWN, 10, 10, 2));
  Push(Button(*form, SDL_MOUSEBUTTONUP, 10, 10, 2));
  DoEvents();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
  // The window's focus reaches the active control.
  std::string focus;
  text->GotFocus.Connect([&] { focus += "got "; });
  text->LostFocus.Connect([&] { focus += "lost "; });
  Push(WindowEvent(*form, SDL_WINDOWEVENT_FOCUS_LOST));
  DoEvents();
  EXPECT_EQ(focus, "lost ");
  Push(WindowEvent(*form, SDL_WINDOWEVENT_FOCUS_GAINED));
  DoEvents();
  EXPECT_EQ(focus, "lost got ");
  EXPECT_TRUE(text->HasFocus());
}

TEST_F(PresenterTest, ResizingTheWindowResizesTheFormThenTheHostLaysItOut) {
  auto form = ShownForm(200, 100);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 200, 15 * 100);
  int laidOut = 0;
  presenter->OnResized([&](Form& f) {
    ++laidOut;
    EXPECT_EQ(&f, form.get());
    EXPECT_EQ(f.ClientWidth(), 340);  // the form has its size already
    text->Move(0, 0, f.ScaleWidth(), f.ScaleHeight());
  });
  SDL_SetWindowSize(Window(*form).Window(), 340, 180);
  DoEvents();
  DoEvents();
  EXPECT_EQ(form->ClientWidth(), 340);
  EXPECT_EQ(form->ClientHeight(), 180);
  EXPECT_EQ(laidOut, 1);
  EXPECT_EQ(text->Width(), 15 * 340);
  presenter->Present();
  EXPECT_EQ(SizeAndTitle(Window(*form)), "340x180 " + form->Caption());  // not set back meanwhile
  EXPECT_EQ(Window(*form).ReadBack(), RenderForm(*form));
  // A size change that is the form's own (the window following it) is no resize.
  form->ResizeClient(300, 150);
  presenter->Present();
  DoEvents();
  EXPECT_EQ(laidOut, 1);
  EXPECT_EQ(form->ClientWidth(), 300);
}

TEST_F(PresenterTest, TheCloseButtonUnloadsTheFormAndEndsItsLoop) {
  auto form = ShownForm(200, 100);
  auto keep = ShownForm(100, 100);
  Push(WindowEvent(*form, SDL_WINDOWEVENT_CLOSE));
  RunMessageLoop([&] { return !form->IsLoaded(); }, "the window to close");
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_TRUE(keep->IsLoaded());
  presenter->Present();
  EXPECT_EQ(presenter->WindowCount(), 1u);
  // Being asked to quit closes every window.
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  DoEvents();
  DoEvents();
  EXPECT_FALSE(keep->IsLoaded());
}

TEST_F(PresenterTest, AModalFormTakesTheInputOfTheOtherWindows) {
  auto owner = ShownForm(200, 100);
  auto text = owner->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  int ownerPresses = 0;
  text->MouseDown.Connect([&](int16_t&, int16_t&, float&, float&) { ++ownerPresses; });
  auto dialog = Form::Create("Dialog", 120, 80);
  int wakes = 0;
  // Once the dialog's window is up: a press on the owner, then closing the
  // owner (both refused), then closing the dialog.
  presenter->OnWake([&](int32_t) {
    ++wakes;
    Push(Button(*owner, SDL_MOUSEBUTTONDOWN, 10, 10));
    Push(Button(*owner, SDL_MOUSEBUTTONUP, 10, 10));
    Push(WindowEvent(*owner, SDL_WINDOWEVENT_CLOSE));
    Push(WindowEvent(*dialog, SDL_WINDOWEVENT_CLOSE));
  });
  Presenter::Wake(1);
  dialog->Show(1);
  EXPECT_EQ(wakes, 1);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(owner->IsLoaded());
  EXPECT_EQ(ownerPresses, 0);
  // With the dialog gone the owner takes input again.
  Push(Button(*owner, SDL_MOUSEBUTTONDOWN, 10, 10));
  Push(Button(*owner, SDL_MOUSEBUTTONUP, 10, 10));
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
  codes.clear();
  std::thread waker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Presenter::Wake(3);
    Presenter::Wake(4);
  });
  while (codes.empty()) {
    ASSERT_TRUE(presenter->Wait());
    DoEvents();
  }
  waker.join();
  DoEvents();
  EXPECT_EQ(codes, (std::vector<int32_t>{3, 4}));
}

TEST_F(PresenterTest, ThePointerShownIsTheOneTheRuntimeAsksFor) {
  auto form = ShownForm(200, 100);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 50);
  text->MousePointer(kPointerIBeam);
  Push(Motion(*form, 10, 10, 0));
  DoEvents();
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerIBeam);
  Push(Motion(*form, 150, 80, 0));
  DoEvents();
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerDefault);
  // The screen's pointer wins everywhere; a custom one carries its picture.
  const PicturePtr icon = Picture::FromRaster(Raster(16, 16, 0xFF112233u));
  Screen().MouseIcon(icon);
  Screen().MousePointer(kPointerCustom);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerCustom);
  EXPECT_EQ(presenter->PointerShown().icon, icon);
  Screen().MousePointer(kPointerHourglass);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerHourglass);
  // Once the pointer has left the window, nothing there decides it.
  Push(WindowEvent(*form, SDL_WINDOWEVENT_LEAVE));
  DoEvents();
  Screen().MousePointer(kPointerDefault);
  presenter->Present();
  EXPECT_EQ(presenter->PointerShown().pointer, kPointerHourglass);
}

}  // namespace
}  // namespace lumora::window::testing
