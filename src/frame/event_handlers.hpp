// A typed C++ event sink: one handler per event, with the event's parameters
// as C++ types, checked against the event interface when registered.
//
//   auto handlers = std::make_shared<EventHandlers>(PicZoomEvents());
//   handlers->On("MouseDown", [&](int16_t& Button, int16_t& Shift, float& X, float& Y) {
//     X = 0;  // the raiser reads 0 back
//   });
//   connectionPoint.Advise(handlers);
//
// Parameters taken by non-const reference write the handler's changes back.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "frame/bound_call.hpp"
#include "frame/type_library.hpp"
#include "platform/event_source.hpp"

namespace lumora {

class EventHandlers final : public EventSink {
 public:
  explicit EventHandlers(const InterfaceInfo& eventInterface) : m_Interface(&eventInterface) {}

  // Adds a handler (a lambda or other callable with one operator()). An
  // unknown event fails with 438; parameters that do not match the event's
  // in count or type fail with 5, naming both lists.
  template <class F>
  EventHandlers& On(std::string_view event, F handler) {
    return OnCallable(event, std::move(handler), &F::operator());
  }

  void OnEvent(Object& source, int32_t dispid, std::string_view name,
               std::span<Variant> args) override;

 private:
  using Call = std::function<void(std::span<Variant>)>;

  template <class F, class C, class R, class... A>
  EventHandlers& OnCallable(std::string_view event, F handler, R (C::*)(A...) const) {
    static_assert(std::is_void_v<R>, "event handlers return nothing");
    return Add(event, binding_detail::SignatureOf<R, A...>(),
               [h = std::move(handler)](std::span<Variant> args) mutable {
                 binding_detail::Call<R, A...>(h, args);
               });
  }
  template <class F, class C, class R, class... A>
  EventHandlers& OnCallable(std::string_view event, F handler, R (C::*)(A...)) {
    static_assert(std::is_void_v<R>, "event handlers return nothing");
    return Add(event, binding_detail::SignatureOf<R, A...>(),
               [h = std::move(handler)](std::span<Variant> args) mutable {
                 binding_detail::Call<R, A...>(h, args);
               });
  }

  EventHandlers& Add(std::string_view event, const BoundSignature& signature, Call call);

  struct Handler {
    const MemberInfo* event;
    Call call;
  };
  const InterfaceInfo* m_Interface;
  std::vector<Handler> m_Handlers;
};

}  // namespace lumora
