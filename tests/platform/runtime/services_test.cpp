// Global services: Shell through the launcher (an argument vector, never a
// command interpreter), the application-wide pointer and the pointer a
// presenter should show, App's version, the pointer's screen position.
#include <gtest/gtest.h>

#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using Strings = std::vector<std::string>;

class ServicesTest : public RuntimeTest {};

TEST_F(ServicesTest, ShellHandsTheLauncherAnArgumentVector) {
  std::vector<Strings> calls;
  std::vector<int16_t> styles;
  SetLauncher([&](const Strings& argv, int16_t style) {
    calls.push_back(argv);
    styles.push_back(style);
    return 42.0;
  });
  EXPECT_EQ(Shell("Start.exe https://example.org/a?b=1&c=2", 1), 42.0);
  EXPECT_EQ(Shell(R"(viewer "C:\My Pictures\a b.png" ; rm -rf x)"), 42.0);
  EXPECT_EQ(Shell(Strings{"prog", "$(whoami)", "`id`"}, 6), 42.0);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (Strings{"Start.exe", "https://example.org/a?b=1&c=2"}));
  EXPECT_EQ(calls[1], (Strings{"viewer", R"(C:\My Pictures\a b.png)", ";", "rm", "-rf", "x"}));
  EXPECT_EQ(calls[2], (Strings{"prog", "$(whoami)", "`id`"}));  // passed on literally
  EXPECT_EQ(styles, (std::vector<int16_t>{1, 2, 6}));
  EXPECT_FAILS_WITH(kErrInvalidCall, Shell(""));
  EXPECT_FAILS_WITH(kErrInvalidCall, Shell("   "));
  EXPECT_FAILS_WITH(kErrInvalidCall, Shell("prog", 5));
  EXPECT_FAILS_WITH(kErrInvalidCall, Shell("prog \"unterminated"));
  EXPECT_EQ(calls.size(), 3u);  // refused before the launcher
}

TEST_F(ServicesTest, SplittingTheCommandLine) {
  EXPECT_EQ(SplitCommandLine("  a\tb  "), (Strings{"a", "b"}));
  EXPECT_EQ(SplitCommandLine(R"(say "he said ""hi""" "")"),
            (Strings{"say", R"(he said "hi")", ""}));
  EXPECT_EQ(SplitCommandLine(R"(x"y z"w)"), (Strings{"xy zw"}));
  EXPECT_TRUE(SplitCommandLine("").empty());
}

TEST_F(ServicesTest, TheDefaultLauncherStartsAProgramWithoutAShell) {
  const double id = Shell(Strings{"true"}, 0);
  EXPECT_GT(id, 0);
  EXPECT_FAILS_WITH(kErrFileNotFound, Shell(Strings{"/nonexistent/lumora-no-such-program"}));
  SetLauncher(nullptr);
}

TEST_F(ServicesTest, ScreenAndApp) {
  EXPECT_EQ(App().Major(), 2);
  EXPECT_EQ(App().Minor(), 0);
  EXPECT_EQ(Screen().MousePointer(), 0);
  Screen().MousePointer(kPointerHourglass);
  EXPECT_EQ(Screen().MousePointer(), 11);
  EXPECT_FAILS_WITH(kErrInvalidPropertyValue, Screen().MousePointer(16));
  EXPECT_EQ(Screen().MousePointer(), 11);
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
  EXPECT_EQ(EffectivePointerAt(*form, 210, 5).pointer, kPointerDefault);
  EXPECT_EQ(EffectivePointerAt(*form, 390, 290).pointer, kPointerDefault);  // the form
  // The control holding the pointer decides while a button is held.
  form->MouseDown(210, 5);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerDefault);
  form->MouseUp(100, 100);
  // The application-wide pointer overrides every control.
  Screen().MousePointer(kPointerHourglass);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerHourglass);
  Screen().MousePointer(0);
  EXPECT_EQ(EffectivePointerAt(*form, 100, 100).pointer, kPointerCustom);
}

TEST_F(ServicesTest, TheCursorPositionFollowsThePointerAndCanBeSet) {
  auto form = Form::Create("CursorForm", 400, 300);
  form->MoveOnScreen(200, 100);
  form->Show();
  PointApi p;
  form->MouseMove(10, 20);
  GetCursorPos(p);
  EXPECT_EQ(p.x, 210);
  EXPECT_EQ(p.y, 120);
  SetCursorPos(5, 6);
  GetCursorPos(p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 6);
  Post(Message::Mouse(MessageKind::MouseMove, form, 1, 2));
  DoEvents();
  GetCursorPos(p);
  EXPECT_EQ(p.x, 201);
  EXPECT_EQ(p.y, 102);
}

}  // namespace
}  // namespace lumora::testing
