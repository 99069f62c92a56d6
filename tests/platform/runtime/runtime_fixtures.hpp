// Helpers shared by the runtime tests: solid pictures, a generic event sink
// that logs (and may rewrite) what a control raises, and a fixture with a
// fresh thread state and one form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/control.hpp"
#include "platform/event_source.hpp"
#include "support/error_of.hpp"
#include "support/fixture.hpp"

namespace lumora::testing {

using Strings = std::vector<std::string>;
using RuntimeTest = LumoraTest;

// A test with a fresh thread state and a 400 x 300 pixel form to place on.
class FormTest : public RuntimeTest {
 protected:
  std::shared_ptr<Form> form = Form::Create("TestForm", 400, 300);
};

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

}  // namespace lumora::testing
