// Events through connection points: dispatch sinks, typed handlers and
// platform sinks, the arguments handlers change, and the ends of connections.
#include <gtest/gtest.h>

#include "frame/connection_point.hpp"
#include "frame/dispids.hpp"
#include "frame/event_handlers.hpp"
#include "frame/raise_by_ref.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

// Raises its events the way a control does: by DISPID through its EventSource
// (no names), typed arguments by reference, acting on what handlers left.
struct Raiser : Object {
  std::string TypeName() const override { return "Raiser"; }
  void RaiseEvent(int32_t dispid, std::span<Variant> args = {}) {
    m_Events.Raise(*this, dispid, "", args);
  }

  // Returns the X the handlers left.
  float MouseMove(int16_t button, float x) {
    int16_t shift = 0;
    float y = 2.5f;
    RaiseByRef([&](std::span<Variant> v) { RaiseEvent(PicZoomEvent::MouseMove, v); }, button, shift,
               x, y);
    m_LastButton = button;
    return x;
  }

  EventSource m_Events;
  int16_t m_LastButton = 0;
};

using Args = std::span<Variant>;

class Events : public ::testing::Test {
 protected:
  Raiser raiser;
  ConnectionPoint cp{raiser, raiser.m_Events, PicZoomEvents()};
};

// Dispatch sinks and platform sinks alike see the name the interface
// publishes, whatever the raiser passed.
TEST_F(Events, SinksGetPublishedNamesAndMayChangeArguments) {
  std::vector<std::string> seen;
  cp.Advise([&](int32_t dispid, std::string_view name, Args args) {
    seen.push_back(std::string(name) + "/" + std::to_string(dispid) + "/" +
                   std::to_string(args.size()));
    args[2] = Variant(int32_t{100});  // X, stored as another numeric type
    args[0] = Variant("2");           // Button, as text
  });
  struct Sink : EventSink {
    std::string seen;
    void OnEvent(Object& source, int32_t, std::string_view name, Args) override {
      seen += source.TypeName() + "." + std::string(name);
    }
  };
  auto sink = std::make_shared<Sink>();
  cp.Advise(sink);
  EXPECT_EQ(raiser.MouseMove(1, 7.0f), 100.0f);
  EXPECT_EQ(raiser.m_LastButton, 2);
  EXPECT_EQ(seen, std::vector<std::string>{"MouseMove/8/4"});
  EXPECT_EQ(sink->seen, "Raiser.MouseMove");
}

TEST_F(Events, TypedHandlersReceiveCppTypesByReference) {
  auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
  float firstY = 0, secondX = 0;
  int clicks = 0;
  handlers
      ->On("MouseMove",
           [&](int16_t& Button, int16_t&, float& X, float& Y) {
             firstY = Y;
             X += 1.0f;
             Button = 4;
           })
      .On("mousemove", [&](int16_t, int16_t, float X, float) { secondX = X; })  // by value
      .On("Click", [&] { ++clicks; });
  cp.Advise(handlers);
  EXPECT_EQ(raiser.MouseMove(1, 10.0f), 11.0f);
  EXPECT_EQ(raiser.m_LastButton, 4);
  EXPECT_EQ(firstY, 2.5f);
  EXPECT_EQ(secondX, 11.0f);
  raiser.RaiseEvent(PicZoomEvent::Click);
  raiser.RaiseEvent(PicZoomEvent::DblClick);  // nobody handles it
  EXPECT_EQ(clicks, 1);
}

TEST_F(Events, HandlersThatDoNotMatchTheirEventAreRefused) {
  EventHandlers handlers(ScrollContainerEvents());
  const Failure fewer = FailureOf([&] { handlers.On("MouseDown", [](int16_t&, int16_t&) {}); });
  EXPECT_EQ(fewer.Number(), 5);
  EXPECT_EQ(fewer.Description(),
            "The handler of 'MouseDown' takes (int16&, int16&) but the event passes "
            "(int16&, int16&, float32&, float32&)");
  EXPECT_EQ(ErrorOf([&] { handlers.On("MouseUp", [](int16_t&, int16_t&, int32_t&, float&) {}); }),
            5);
  // An event of the other class.
  EXPECT_EQ(ErrorOf([&] { handlers.On("PictureScrolled", [] {}); }), 438);
}

TEST_F(Events, BadArgumentsFailInsteadOfCrashing) {
  auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
  handlers->On("KeyPress", [](int16_t& KeyAscii) { KeyAscii = 0; });
  cp.Advise(handlers);
  EXPECT_THROW(raiser.RaiseEvent(PicZoomEvent::KeyPress), Failure);  // too few from the raiser
  Variant text[] = {Variant("x")};
  EXPECT_EQ(ErrorOf([&] { raiser.RaiseEvent(PicZoomEvent::KeyPress, text); }), 13);
  // A value a handler left that does not convert back.
  cp.Advise([](int32_t, std::string_view, Args args) {
    if (!args.empty()) args[0] = Variant("left");
  });
  EXPECT_EQ(ErrorOf([&] { raiser.MouseMove(1, 0); }), 13);
}

// A connection ends with Unadvise, also one its own handler makes while the
// event is raised, or with the end of its connection point, which may come
// after the end of the source.
TEST_F(Events, ConnectionsEndWithUnadviseOrTheConnectionPoint) {
  int a = 0, b = 0, self = 0;
  uint32_t cookie = 0;
  cookie = cp.Advise([&](int32_t, std::string_view, Args) {
    ++self;
    cp.Unadvise(cookie);
  });
  {
    ConnectionPoint scoped(raiser, raiser.m_Events, PicZoomEvents());
    const uint32_t first = scoped.Advise([&](int32_t, std::string_view, Args) { ++a; });
    scoped.Advise([&](int32_t, std::string_view, Args) { ++b; });
    EXPECT_EQ(scoped.ConnectionCount(), 2u);
    raiser.RaiseEvent(PicZoomEvent::Click);
    scoped.Unadvise(first);
    raiser.RaiseEvent(PicZoomEvent::Click);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(self, 1);
    EXPECT_EQ(ErrorOf([&] { scoped.Unadvise(first); }), 5);
  }
  raiser.RaiseEvent(PicZoomEvent::Click);  // the connection point is gone
  EXPECT_EQ(b, 2);
  EXPECT_EQ(raiser.m_Events.SinkCount(), 0u);

  // A connection point may outlive its source: its end touches nothing of the
  // source (checked under AddressSanitizer).
  auto source = std::make_unique<Raiser>();
  auto point = std::make_unique<ConnectionPoint>(*source, source->m_Events, PicZoomEvents());
  point->Advise([](int32_t, std::string_view, Args) {});
  source.reset();
  EXPECT_EQ(point->ConnectionCount(), 1u);
  point.reset();
}

}  // namespace
}  // namespace lumora
