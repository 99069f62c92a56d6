// The message queue: DoEvents dispatches what was pending when it was
// called, re-entrantly; scheduled messages become pending after a number of
// yields; modal forms run the loop until they are unloaded.
#include <gtest/gtest.h>

#include "platform/controls/picture_box.hpp"
#include "runtime_fixtures.hpp"

namespace lumora::testing {
namespace {

using Strings = std::vector<std::string>;

class MessageQueueTest : public RuntimeTest {};

TEST_F(MessageQueueTest, AMessageScheduledAfterThreeYieldsRunsInsideTheThird) {
  int doEventsCalls = 0;
  int ranDuring = 0;
  ScheduleAfterYields(3, [&] { ranDuring = doEventsCalls; });
  EXPECT_EQ(ScheduledCount(), 1u);
  for (int i = 0; i < 5; ++i) {
    ++doEventsCalls;
    DoEvents();
    if (i < 2) {
      EXPECT_EQ(ranDuring, 0) << "ran too early";
    }
  }
  EXPECT_EQ(ranDuring, 3);
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

// A key loop as a control writes it: keep yielding while the key is held.
TEST_F(MessageQueueTest, AKeyLoopYieldsUntilTheScheduledKeyUp) {
  auto form = Form::Create("KeyForm");
  auto pic = form->Add<PictureBox>("pic", 0, 0, 1500, 1500);
  form->Show();
  bool held = false;
  int passes = 0;
  pic->KeyDown.Connect([&](int16_t&, int16_t&) {
    held = true;
    do {
      DoEvents();
      ++passes;
    } while (held);
  });
  pic->KeyUp.Connect([&](int16_t&, int16_t&) { held = false; });
  Post(Message::Key(MessageKind::KeyDown, form, kKeyRight));
  ScheduleAfterYields(4, Message::Key(MessageKind::KeyUp, form, kKeyRight));
  DoEvents();  // yield 1 dispatches the key-down; its loop yields 2, 3, 4
  EXPECT_EQ(passes, 3);
  EXPECT_FALSE(held);
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
  EXPECT_EQ(FindForm("Dialog"), nullptr);
  form.reset();
  EXPECT_TRUE(weak.expired());  // the registry let go of it
}

TEST_F(MessageQueueTest, AHeadlessModalLoopWithNothingToWaitForFails) {
  auto form = Form::Create("Stuck");
  try {
    form->Show(1);
    ADD_FAILURE() << "the modal loop returned";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kErrInvalidCall);
    EXPECT_NE(failure.Description().find("no window presenter"), std::string::npos)
        << failure.Description();
  }
  EXPECT_FALSE(form->IsModal());
  EXPECT_FALSE(form->IsShown());  // left as it was
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Show(2));
  form->Show();
  EXPECT_FAILS_WITH(kErrInvalidCall, form->Show(1));  // already shown
  // Hiding a modal form ends its loop too.
  form->Hide();
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

}  // namespace
}  // namespace lumora::testing
