// What an application sees of its windows: Show opens a window as asked,
// Run ends only when the last window has closed, a wake's handler comes
// after the input that came before it, and a start that cannot work says why.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls/text_box.hpp"
#include "presenter_fixture.hpp"
#include "support/error_of.hpp"

namespace lumora::window::testing {
namespace {

TEST_F(PresenterTest, ShowOpensAsAskedAndRunEndsWithTheLastWindow) {
  auto first = Form::Create("First", 200, 100);
  auto second = Form::Create("Second", 120, 80);
  windows->Show(*first, {.resizable = true, .left = 30, .top = 40});
  windows->Show(*second);
  ASSERT_EQ(windows->WindowCount(), 2u);
  int left = 0;
  int top = 0;
  SDL_GetWindowPosition(Window(*first).Window(), &left, &top);
  EXPECT_EQ(std::pair(left, top), std::pair(30, 40));
  EXPECT_NE(SDL_GetWindowFlags(Window(*first).Window()) & SDL_WINDOW_RESIZABLE, 0u);
  EXPECT_EQ(SDL_GetWindowFlags(Window(*second).Window()) & SDL_WINDOW_RESIZABLE, 0u);
  // The user closes the first window; a few yields later, the second.
  bool secondClosing = false;
  Push(WindowEvent(*first, SDL_WINDOWEVENT_CLOSE));
  ScheduleAfterYields(3, [&] {
    secondClosing = !first->IsLoaded() && second->IsLoaded();
    Push(WindowEvent(*second, SDL_WINDOWEVENT_CLOSE));
  });
  windows->Run();
  EXPECT_TRUE(secondClosing) << "Run ended before the second window closed";
  EXPECT_FALSE(second->IsLoaded());
  EXPECT_EQ(windows->WindowCount(), 0u);
}

TEST_F(PresenterTest, AWakesHandlerSeesTheInputThatCameBeforeIt) {
  auto form = Form::Create("Typed", 200, 100);
  auto text = form->Add<TextBox>("txt", 0, 0, 15 * 100, 15 * 20);
  windows->Show(*form);
  text->SetFocus();
  DoEvents();
  std::string seen = "(not woken)";
  windows->OnWake([&](int32_t) {
    seen = text->Text();
    form->Unload();
  });
  Push(Text(*form, "ab"));
  Windows::Wake(1);
  windows->Run();
  EXPECT_EQ(seen, "ab");
}

// Sets the display variables for one scope and puts them back after.
class DisplayEnvironment {
 public:
  explicit DisplayEnvironment(const char* driver) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      m_Saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    if (driver) setenv("SDL_VIDEODRIVER", driver, 1);
  }
  ~DisplayEnvironment() {
    for (const auto& [name, value] : m_Saved)
      if (value) setenv(name, value->c_str(), 1);
  }

 private:
  static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  std::vector<std::pair<const char*, std::optional<std::string>>> m_Saved;
};

TEST(WindowsStart, AStartThatCannotWorkSaysWhyAndLeavesThePumpAlone) {
  struct Case {
    const char* driver;  // null: no display named at all
    bool alreadyOpen;
    const char* says;
  };
  const Case cases[] = {
      {nullptr, false, "no display"},
      {"no-such-driver", false, "cannot open a window"},
      {"offscreen", true, "open on this thread"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    const DisplayEnvironment environment(c.driver);
    std::optional<Windows> open;
    if (c.alreadyOpen) open.emplace();
    MessagePump* const pump = CurrentMessagePump();
    const Failure e = FailureOf([] { Windows windows; });
    EXPECT_EQ(e.Number(), kErrInvalidCall);
    EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    EXPECT_EQ(CurrentMessagePump(), pump);
    EXPECT_EQ(Windows::DisplayAvailable(), c.driver != nullptr);
  }
}

}  // namespace
}  // namespace lumora::window::testing
