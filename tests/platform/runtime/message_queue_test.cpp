// The message queue: scheduled messages become pending after a number of
// yields. Global services: Shell through the launcher (an argument vector,
// never a command interpreter), the application-wide pointer and the pointer
// a presenter should show.
#include <gtest/gtest.h>

#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using MessageQueueTest = RuntimeTest;

TEST_F(MessageQueueTest, AMessageScheduledAfterThreeYieldsRunsInsideTheThird) {
  int doEventsCalls = 0;
  int ranDuring = 0;
  ScheduleAfterYields(3, [&] { ranDuring = doEventsCalls; });
  EXPECT_EQ(ScheduledCount(), 1u);
  for (int i = 0; i < 5; ++i) {
    ++doEventsCalls;
    DoEvents();
    EXPECT_EQ(ranDuring, i < 2 ? 0 : 3) << "after yield " << i + 1;
  }
  EXPECT_EQ(ScheduledCount(), 0u);
  // Zero yields means pending now.
  bool ran = false;
  ScheduleAfterYields(0, [&] { ran = true; });
  EXPECT_EQ(PendingCount(), 1u);
  DoEvents();
  EXPECT_TRUE(ran);
  EXPECT_FAILS_WITH(kErrInvalidCall, ScheduleAfterYields(-1, [] {}));
}

using ServicesTest = RuntimeTest;

TEST_F(ServicesTest, ShellHandsTheLauncherAnArgumentVector) {
  std::vector<Strings> calls;
  std::vector<int16_t> styles;
  SetLauncher([&](const Strings& argv, int16_t style) {
    calls.push_back(argv);
    styles.push_back(style);
    return 42.0;
  });
  EXPECT_EQ(Shell(R"(viewer "C:\My Pictures\a b.png" ; rm -rf x)", 1), 42.0);
  EXPECT_EQ(Shell(Strings{"prog", "$(whoami)", "`id`"}), 42.0);
  EXPECT_EQ(calls,
            (std::vector<Strings>{{"viewer", R"(C:\My Pictures\a b.png)", ";", "rm", "-rf", "x"},
                                  {"prog", "$(whoami)", "`id`"}}));  // passed on literally
  EXPECT_EQ(styles, (std::vector<int16_t>{1, 2}));
  for (const char* refused : {"", "   ", "prog \"unterminated"})
    EXPECT_FAILS_WITH(kErrInvalidCall, Shell(refused));
  EXPECT_FAILS_WITH(kErrInvalidCall, Shell("prog", 5));
  EXPECT_EQ(calls.size(), 2u);  // refused before the launcher
  // Quotes group, doubled quotes are one, and an empty pair is an argument.
  EXPECT_EQ(SplitCommandLine(R"(  say "he said ""hi""" ""	x"y z"w )"),
            (Strings{"say", R"(he said "hi")", "", "xy zw"}));
}

TEST_F(ServicesTest, TheDefaultLauncherStartsAProgramWithoutAShell) {
  const double id = Shell(Strings{"true"}, 0);
  EXPECT_GT(id, 0);
  EXPECT_FAILS_WITH(kErrFileNotFound, Shell(Strings{"/nonexistent/lumora-no-such-program"}));
  SetLauncher(nullptr);
}

TEST_F(ServicesTest, ThePointerAPresenterShouldShow) {
  auto form = Form::Create("PointerForm", 400, 300);
  auto pic = form->Add<PictureBox>("pic", 0, 0, 3000, 3000);
  auto inner = form->Add<Label>("inner", 0, 0, 20, 20, pic.get());  // pixels of pic
  auto button = form->Add<CommandButton>("cmd", 3000, 0, 900, 300);
  form->Show();
  const PicturePtr icon = SolidPicture(32, 32);
  pic->MouseIcon(icon);
  pic->MousePointer(kPointerCustom);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerCustom);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).icon, icon);
  EXPECT_EQ(EffectivePointerAt(*form, 5, 5).pointer, kPointerCustom);  // from its container
  inner->MousePointer(kPointerIBeam);
  EXPECT_EQ(EffectivePointerAt(*form, 5, 5).pointer, kPointerIBeam);
  EXPECT_EQ(EffectivePointerAt(*form, 390, 290).pointer, kPointerDefault);  // the form
  // The control holding the pointer decides while a button is held.
  form->MouseDown(210, 5);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerDefault);
  form->MouseUp(100, 100);
  // The application-wide pointer overrides every control; an unknown one is refused.
  Screen().MousePointer(kPointerHourglass);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, Screen().MousePointer(16));
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerHourglass);
  Screen().MousePointer(0);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerCustom);
}

}  // namespace
}  // namespace lumora::testing
