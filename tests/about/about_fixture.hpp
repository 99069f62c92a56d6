// The About box tests: a fresh thread state with the thread's one dialog
// unloaded (the object lives on, as in a host), and launches recorded in
// place of the real launcher.
#pragma once

#include <string>
#include <vector>

#include "about/about_box.hpp"
#include "about/frm_about.hpp"
#include "support/fixture.hpp"

namespace lumora {

class AboutTest : public testing::LumoraTest {
 protected:
  AboutTest() {
    if (AboutDialogExists()) AboutDialog().Unload();
    SetLauncher([this](const std::vector<std::string>& argv, int16_t style) {
      EXPECT_EQ(style, 0);  // hidden
      launched.push_back(SpawnArguments(argv));
      return 1.0;
    });
  }

  // Clicks the middle of a control of the loaded dialog through the window.
  static void ClickOn(const Control& control) {
    const PixelRect r = control.FormRect();
    AboutDialog().Window()->Click(r.left + r.width / 2, r.top + r.height / 2);
  }

  // What the real launcher would have run, one command line per launch.
  std::vector<std::vector<std::string>> launched;
};

}  // namespace lumora
