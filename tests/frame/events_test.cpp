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
// (no names), typed arguments by reference; MouseMove returns the X left.
struct Raiser : Object {
  std::string TypeName() const override { return "Raiser"; }
  void RaiseEvent(int32_t dispid, std::span<Variant> args = {}) {
    m_Events.Raise(*this, dispid, "", args);
  }

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

// Typed handlers get C++ types, by reference or by value, and the raiser acts
// on what they left; sinks see the published name, whatever the raiser passed.
TEST_F(Events, HandlersChangeArgumentsAndSinksGetPublishedNames) {
  struct Sink : EventSink {
    std::string seen;
    void OnEvent(Object& source, int32_t, std::string_view name, Args) override {
      seen += source.TypeName() + "." + std::string(name) + " ";
    }
  };
  auto sink = std::make_shared<Sink>();
  cp.Advise(sink);
  auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
  float firstY = 0, secondX = 0;
  handlers
      ->On("MouseMove",
           [&](int16_t& Button, int16_t&, float& X, float& Y) {
             firstY = Y;
             X += 1.0f;
             Button = 4;
           })
      .On("mousemove", [&](int16_t, int16_t, float X, float) { secondX = X; });  // by value
  cp.Advise(handlers);
  EXPECT_EQ(raiser.MouseMove(1, 10.0f), 11.0f);
  EXPECT_EQ(raiser.m_LastButton, 4);
  EXPECT_EQ(firstY, 2.5f);
  EXPECT_EQ(secondX, 11.0f);
  raiser.RaiseEvent(PicZoomEvent::Click);
  EXPECT_EQ(sink->seen, "Raiser.MouseMove Raiser.Click ");
}

// Handlers that do not match their event are refused when added; arguments
// that do not fit fail when raised instead of crashing.
TEST_F(Events, MismatchedHandlersAndBadArgumentsFail) {
  EventHandlers other(ScrollContainerEvents());
  EXPECT_EQ(ErrorOf([&] { other.On("MouseDown", [](int16_t&, int16_t&) {}); }), 5);
  EXPECT_EQ(ErrorOf([&] { other.On("MouseUp", [](int16_t&, int16_t&, int32_t&, float&) {}); }), 5);
  EXPECT_EQ(ErrorOf([&] { other.On("PictureScrolled", [] {}); }), 438);  // the other class's

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
// event is raised, or with the end of its connection point.
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
}

}  // namespace
}  // namespace lumora
