// The message queue: DoEvents dispatches what was pending when it was
// called, re-entrantly; scheduled messages become pending after a number of
// yields; modal forms run the loop until they are unloaded. Global services:
// Shell through the launcher (an argument vector, never a command
// interpreter), the application-wide pointer and the pointer a presenter
// should show, the pointer's screen position.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;
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

TEST_F(MessageQueueTest, DoEventsHandlesWhatWasPendingAndLeavesWhatHandlersPost) {
  Strings log;
  Post([&] {
    log.push_back("a");
    Post([&] { log.push_back("posted by a"); });
  });
  Post([&] { log.push_back("b"); });
  EXPECT_EQ(DoEvents(), 2);
  EXPECT_EQ(log, (Strings{"a", "b"}));
  EXPECT_EQ(DoEvents(), 1);
  EXPECT_EQ(log.back(), "posted by a");
  EXPECT_EQ(DoEvents(), 0);
}

TEST_F(MessageQueueTest, DoEventsFromInsideAHandlerTakesTheFollowingMessages) {
  Strings log;
  Post([&] {
    log.push_back("outer begins");
    DoEvents();
    log.push_back("outer ends");
  });
  Post([&] { log.push_back("second"); });
  Post([&] { log.push_back("third"); });
  EXPECT_EQ(DoEvents(), 1);  // the other two ran in the inner call
  EXPECT_EQ(log, (Strings{"outer begins", "second", "third", "outer ends"}));
  EXPECT_EQ(PendingCount(), 0u);
}

TEST_F(MessageQueueTest, AFailureInAHandlerIsRecordedAndTheRestStillRuns) {
  bool second = false;
  Post([] { Fail(kErrInvalidPropertyValue); });
  Post([&] { second = true; });
  DoEvents();
  EXPECT_TRUE(second);
  EXPECT_EQ(Err().Number(), kErrInvalidPropertyValue);
}

TEST_F(MessageQueueTest, AModalFormRunsUntilItIsUnloaded) {
  auto form = Form::Create("Dialog");
  auto weak = std::weak_ptr<Form>(form);
  int ticks = 0;
  for (int i = 1; i <= 3; ++i) ScheduleAfterYields(i, [&] { ++ticks; });
  ScheduleAfterYields(5, [&] { Unload(*form); });
  form->Show(1);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(form->IsModal());
  form.reset();
  EXPECT_TRUE(weak.expired());  // the registry let go of it
}

TEST_F(MessageQueueTest, AHeadlessModalLoopWithNothingToWaitForFails) {
  auto form = Form::Create("Stuck");
  EXPECT_THAT(FailureText([&] { form->Show(1); }),
              AllOf(StartsWith("5 "), HasSubstr("no window presenter")));
  EXPECT_FALSE(form->IsModal());
  EXPECT_FALSE(form->IsShown());  // left as it was
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Show(2));
  // Hiding a modal form ends its loop too.
  ScheduleAfterYields(2, [&] { form->Hide(); });
  form->Show(1);
  EXPECT_FALSE(form->IsShown());
  EXPECT_TRUE(form->IsLoaded());
}

class ScriptedPump : public MessagePump {
 public:
  std::function<void()> onWait;
  int polls = 0;
  int waits = 0;
  void Poll() override { ++polls; }
  bool Wait() override {
    ++waits;
    if (!onWait) return false;
    onWait();
    return true;
  }
};

TEST_F(MessageQueueTest, AModalLoopWaitsOnThePresenterWhenIdle) {
  auto form = Form::Create("Waiting");
  ScriptedPump pump;
  SetMessagePump(&pump);
  pump.onWait = [&] {
    if (pump.waits == 2) Post([&] { form->Unload(); });
  };
  form->Show(1);
  EXPECT_EQ(pump.waits, 2);
  EXPECT_GE(pump.polls, 3);
  // A presenter that has closed ends the loop with an error.
  auto other = Form::Create("Closed");
  pump.onWait = nullptr;
  EXPECT_FAILS_WITH(kErrInvalidCall, other->Show(1));
  SetMessagePump(nullptr);
}

TEST_F(MessageQueueTest, InputForAnUnloadedFormIsDropped) {
  auto form = Form::Create("Gone");
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  form->Show();
  auto log = EventLog::On({pic.get()});
  Post(Message::Mouse(MessageKind::MouseDown, form, 5, 5, kLeftButton));
  form->Unload();
  DoEvents();
  EXPECT_TRUE(log->entries.empty());
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

TEST_F(ServicesTest, TheCursorPositionFollowsThePointerAndCanBeSet) {
  auto form = Form::Create("CursorForm", 400, 300);
  form->MoveOnScreen(200, 100);
  form->Show();
  PointApi p;
  form->MouseMove(10, 20);
  GetCursorPos(p);
  EXPECT_EQ(std::pair(p.x, p.y), std::pair(210, 120));
  SetCursorPos(5, 6);
  GetCursorPos(p);
  EXPECT_EQ(std::pair(p.x, p.y), std::pair(5, 6));
  Post(Message::Mouse(MessageKind::MouseMove, form, 1, 2));
  DoEvents();
  GetCursorPos(p);
  EXPECT_EQ(std::pair(p.x, p.y), std::pair(201, 102));
}

}  // namespace
}  // namespace lumora::testing
