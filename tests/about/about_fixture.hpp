// A fixture for the About box: a recording launcher in place of the real one,
// an empty message queue, and the thread's dialog unloaded before and after
// each test (the dialog object itself lives on, as it does in a host).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_box.hpp"
#include "about/frm_about.hpp"
#include "platform/errors.hpp"
#include "platform/message_queue.hpp"
#include "platform/services.hpp"

namespace lumora {

struct Launch {
  std::vector<std::string> argv;
  int16_t windowStyle = -1;
  bool operator==(const Launch&) const = default;
};

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearMessages();
    Err().Clear();
    if (AboutDialogExists()) AboutDialog().Unload();
    m_Previous = SetLauncher([this](const std::vector<std::string>& argv, int16_t style) {
      m_Launches.push_back({argv, style});
      return 1.0;
    });
  }
  void TearDown() override {
    SetLauncher(std::move(m_Previous));
    if (AboutDialogExists()) AboutDialog().Unload();
    ClearMessages();
  }

  // Clicks the middle of a control of the loaded dialog through the window.
  static void ClickOn(const Control& control) {
    const PixelRect r = control.FormRect();
    AboutDialog().Window()->Click(r.left + r.width / 2, r.top + r.height / 2);
  }
  // Schedules a click on OK for the dialog shown by then.
  static void ScheduleOkClick(int32_t yields = 1) {
    ScheduleAfterYields(yields, [] { ClickOn(*AboutDialog().OKButton); });
  }

  std::vector<Launch> m_Launches;

 private:
  Launcher m_Previous;
};

}  // namespace lumora
