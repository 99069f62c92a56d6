// Helpers shared by the runtime tests: pictures of a given size, a generic
// event sink that logs (and may rewrite) what a control raises, and a fresh
// thread state per test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/control.hpp"
#include "platform/errors.hpp"
#include "platform/event_source.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture.hpp"
#include "platform/raster.hpp"
#include "platform/services.hpp"

namespace lumora::testing {

inline PicturePtr SolidPicture(int32_t width, int32_t height, Argb fill = 0xFF336699u) {
  return Picture::FromRaster(Raster(width, height, fill));
}

// Records "source.Event" for every event raised to it; `edit` may change the
// arguments before the raiser reads them back.
class EventLog : public EventSink {
 public:
  std::vector<std::string> entries;
  std::function<void(std::string_view, std::span<Variant>)> edit;

  void OnEvent(Object& source, int32_t, std::string_view name, std::span<Variant> args) override {
    const auto* control = dynamic_cast<const Control*>(&source);
    entries.push_back((control ? control->Name() : source.TypeName()) + "." + std::string(name));
    if (edit) edit(name, args);
  }

  // A log listening to the given controls for the rest of the test.
  static std::shared_ptr<EventLog> On(std::initializer_list<Control*> controls) {
    auto log = std::make_shared<EventLog>();
    for (Control* control : controls) control->Events().Advise(log);
    return log;
  }
};

// Each test starts with no forms, no messages, default services.
class RuntimeTest : public ::testing::Test {
 protected:
  // Before the derived fixture's members are made (they may create forms).
  RuntimeTest() { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    for (const auto& form : Forms()) form->Unload();
    ClearMessages();
    SetMessagePump(nullptr);
    SetLauncher(nullptr);
    Screen().MousePointer(0);
    SetPersistentImageLimit(int64_t{1} << 28);
    Err().Clear();
  }
};

// Expects statement to fail with a runtime error of that number.
#define EXPECT_FAILS_WITH(number, statement)                        \
  do {                                                              \
    try {                                                           \
      statement;                                                    \
      ADD_FAILURE() << #statement " did not fail";                  \
    } catch (const ::lumora::Failure& failure) {                    \
      EXPECT_EQ(failure.Number(), number) << failure.Description(); \
    }                                                               \
  } while (false)

}  // namespace lumora::testing
