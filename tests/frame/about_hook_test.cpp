// The About box hook: nothing until the About box installs one, then exactly
// the installed function, on this thread only.
#include <gtest/gtest.h>

#include <thread>

#include "frame/about_hook.hpp"

namespace lumora {
namespace {

TEST(AboutHook, RunsTheInstalledFunctionOnItsThreadOnly) {
  EXPECT_NO_THROW(ShowAboutBox());
  int shown = 0;
  EXPECT_FALSE(SetAboutBoxHook([&] { ++shown; }));
  ShowAboutBox();
  std::thread([] { ShowAboutBox(); }).join();  // another thread has none
  EXPECT_EQ(shown, 1);
  // A hook may replace itself while it runs.
  SetAboutBoxHook([&] {
    ++shown;
    SetAboutBoxHook(nullptr);
  });
  ShowAboutBox();
  ShowAboutBox();
  EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace lumora
