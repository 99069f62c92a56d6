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
  void RaiseEvent(int32_t dispid, std::span<Variant> args) {
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

TEST(Events, DispidsOfTheEventInterfacesAreNamedConstants) {
  const std::pair<int32_t, const char*> pz[] = {
      {PicZoomEvent::ButtonClick, "ButtonClick"},
      {PicZoomEvent::Click, "Click"},
      {PicZoomEvent::DblClick, "DblClick"},
      {PicZoomEvent::KeyDown, "KeyDown"},
      {PicZoomEvent::KeyPress, "KeyPress"},
      {PicZoomEvent::KeyUp, "KeyUp"},
      {PicZoomEvent::MouseDown, "MouseDown"},
      {PicZoomEvent::MouseMove, "MouseMove"},
      {PicZoomEvent::MouseUp, "MouseUp"},
      {PicZoomEvent::PictureScrolled, "PictureScrolled"},
      {PicZoomEvent::PictureSizeChanged, "PictureSizeChanged"},
  };
  for (const auto& [dispid, name] : pz) EXPECT_EQ(PicZoomEvents().FindDispid(dispid)->name, name);
  const std::pair<int32_t, const char*> sc[] = {
      {ScrollContainerEvent::Click, "Click"},
      {ScrollContainerEvent::DblClick, "DblClick"},
      {ScrollContainerEvent::MouseDown, "MouseDown"},
      {ScrollContainerEvent::MouseMove, "MouseMove"},
      {ScrollContainerEvent::MouseUp, "MouseUp"},
  };
  for (const auto& [dispid, name] : sc)
    EXPECT_EQ(ScrollContainerEvents().FindDispid(dispid)->name, name);
}

TEST(Events, DispatchSinksGetPublishedNamesAndMayChangeArguments) {
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
  std::vector<std::string> seen;
  cp.Advise([&](int32_t dispid, std::string_view name, std::span<Variant> args) {
    seen.push_back(std::string(name) + "/" + std::to_string(dispid) + "/" +
                   std::to_string(args.size()));
    args[2] = Variant(int32_t{100});  // X, stored as another numeric type
    args[0] = Variant("2");           // Button, as text
  });
  EXPECT_EQ(raiser.MouseMove(1, 7.0f), 100.0f);
  EXPECT_EQ(raiser.m_LastButton, 2);
  EXPECT_EQ(seen, std::vector<std::string>{"MouseMove/8/4"});
}

TEST(Events, TypedHandlersReceiveCppTypesByReference) {
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
  auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
  std::vector<std::string> log;
  handlers
      ->On("MouseMove",
           [&](int16_t& Button, int16_t& Shift, float& X, float& Y) {
             log.push_back("move " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
                           std::to_string(Y));
             X += 1.0f;
             Button = 4;
           })
      .On("mousemove",
          [&](int16_t, int16_t, float X, float) {  // by value: sees, cannot change
            log.push_back("second sees X " + std::to_string(X));
            X = 0;
          })
      .On("Click", [&] { log.push_back("click"); });
  cp.Advise(handlers);

  EXPECT_EQ(raiser.MouseMove(1, 10.0f), 11.0f);
  EXPECT_EQ(raiser.m_LastButton, 4);
  raiser.RaiseEvent(PicZoomEvent::Click, {});
  raiser.RaiseEvent(PicZoomEvent::DblClick, {});  // nobody handles it
  EXPECT_EQ(log,
            (std::vector<std::string>{"move 1 0 2.500000", "second sees X 11.000000", "click"}));
}

TEST(Events, HandlersThatDoNotMatchTheirEventAreRefused) {
  EventHandlers handlers(ScrollContainerEvents());
  const Failure fewer = FailureOf([&] { handlers.On("MouseDown", [](int16_t&, int16_t&) {}); });
  EXPECT_EQ(fewer.Number(), 5);
  EXPECT_EQ(fewer.Description(),
            "The handler of 'MouseDown' takes (int16&, int16&) but the event passes "
            "(int16&, int16&, float32&, float32&)");
  EXPECT_EQ(ErrorOf([&] { handlers.On("MouseUp", [](int16_t&, int16_t&, int32_t&, float&) {}); }),
            5);
  // An event of the other class.
  const Failure other = FailureOf([&] { handlers.On("PictureScrolled", [] {}); });
  EXPECT_EQ(other.Number(), 438);
  EXPECT_NE(other.Description().find("'PictureScrolled'"), std::string::npos);
}

TEST(Events, BadArgumentsFromTheRaiserFailInsteadOfCrashing) {
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
  auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
  handlers->On("KeyPress", [](int16_t& KeyAscii) { KeyAscii = 0; });
  cp.Advise(handlers);
  Variant one[] = {Variant(int16_t{65})};
  raiser.RaiseEvent(PicZoomEvent::KeyPress, one);
  EXPECT_EQ(one[0], Variant(int16_t{0}));
  EXPECT_THROW(raiser.RaiseEvent(PicZoomEvent::KeyPress, {}), Failure);  // too few
  Variant text[] = {Variant("x")};
  EXPECT_EQ(ErrorOf([&] { raiser.RaiseEvent(PicZoomEvent::KeyPress, text); }), 13);
}

TEST(Events, AValueAHandlerLeftThatDoesNotConvertBackFails) {
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
  cp.Advise([](int32_t, std::string_view, std::span<Variant> args) { args[0] = Variant("left"); });
  EXPECT_EQ(ErrorOf([&] { raiser.MouseMove(1, 0); }), 13);
}

TEST(Events, ConnectionsEndWithUnadviseOrTheConnectionPoint) {
  Raiser raiser;
  int a = 0, b = 0;
  {
    ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
    const uint32_t first = cp.Advise([&](int32_t, std::string_view, std::span<Variant>) { ++a; });
    cp.Advise([&](int32_t, std::string_view, std::span<Variant>) { ++b; });
    EXPECT_EQ(cp.ConnectionCount(), 2u);
    raiser.RaiseEvent(PicZoomEvent::Click, {});
    cp.Unadvise(first);
    raiser.RaiseEvent(PicZoomEvent::Click, {});
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(ErrorOf([&] { cp.Unadvise(first); }), 5);
  }
  raiser.RaiseEvent(PicZoomEvent::Click, {});  // the connection point is gone
  EXPECT_EQ(b, 2);
  EXPECT_EQ(raiser.m_Events.SinkCount(), 0u);
}

TEST(Events, ASinkMayDisconnectItselfWhileHandling) {
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, PicZoomEvents());
  int calls = 0;
  uint32_t cookie = 0;
  cookie = cp.Advise([&](int32_t, std::string_view, std::span<Variant>) {
    ++calls;
    cp.Unadvise(cookie);
  });
  raiser.RaiseEvent(PicZoomEvent::Click, {});
  raiser.RaiseEvent(PicZoomEvent::Click, {});
  EXPECT_EQ(calls, 1);
}

TEST(Events, TheConnectionPointMayOutliveItsSource) {
  auto raiser = std::make_shared<Raiser>();
  auto cp = std::make_unique<ConnectionPoint>(*raiser, raiser->m_Events, PicZoomEvents());
  cp->Advise([](int32_t, std::string_view, std::span<Variant>) {});
  raiser.reset();
  EXPECT_EQ(cp->ConnectionCount(), 1u);
  cp.reset();  // touches nothing of the source (checked under AddressSanitizer)
}

TEST(Events, PlatformSinksMayConnectToo) {
  struct Sink : EventSink {
    std::string seen;
    void OnEvent(Object& source, int32_t, std::string_view name, std::span<Variant>) override {
      seen += source.TypeName() + "." + std::string(name);
    }
  };
  Raiser raiser;
  ConnectionPoint cp(raiser, raiser.m_Events, ScrollContainerEvents());
  auto sink = std::make_shared<Sink>();
  cp.Advise(sink);
  raiser.RaiseEvent(ScrollContainerEvent::DblClick, {});
  EXPECT_EQ(sink->seen, "Raiser.DblClick");
  EXPECT_EQ(&cp.Source(), &raiser);
}

}  // namespace
}  // namespace lumora
