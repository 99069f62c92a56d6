#include "platform/event_source.hpp"

#include <gtest/gtest.h>

#include "platform/object.hpp"

namespace lumora {
namespace {

struct Thing : Object {
  std::string TypeName() const override { return "Thing"; }
};

struct Recorder : EventSink {
  std::vector<std::string> seen;
  void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
    seen.push_back(std::string(name) + ":" + std::to_string(dispid));
    if (!args.empty()) args[0] = Variant(int16_t{0});  // a handler that changes Button
  }
};

TEST(EventSource, SinksSeeEventsInOrderAndMayChangeArguments) {
  Thing thing;
  EventSource source;
  auto a = std::make_shared<Recorder>();
  auto b = std::make_shared<Recorder>();
  source.Advise(a);
  source.Advise(b);
  Variant args[] = {Variant(int16_t{1}), Variant(int16_t{0})};
  source.Raise(thing, 8, "MouseMove", args);
  EXPECT_EQ(a->seen, std::vector<std::string>{"MouseMove:8"});
  EXPECT_EQ(b->seen, std::vector<std::string>{"MouseMove:8"});
  EXPECT_EQ(args[0].ToInt16(), 0);  // the raiser reads back what the sink left

  source.Unadvise(a.get());
  b.reset();  // a sink that went away stops receiving without harm
  source.Raise(thing, 1, "Click", {});
  EXPECT_EQ(a->seen.size(), 1u);
  EXPECT_EQ(source.SinkCount(), 0u);
}

}  // namespace
}  // namespace lumora
