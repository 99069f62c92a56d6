// Raises an event with typed arguments by reference, as the controls do:
//
//   RaiseByRef([&](std::span<Variant> v) { RaiseEvent(PicZoomEvent::MouseMove, "MouseMove", v); },
//              Button, Shift, X, Y);
//   // Button, Shift, X and Y now hold what the handlers left in them.
//
// A value a handler left that does not convert back fails with 13 or 6; the
// arguments before it have been stored by then.
#pragma once

#include <span>

#include "frame/marshal.hpp"

namespace lumora {

template <class Raise, class... A>
void RaiseByRef(Raise&& raise, A&... args) {
  Variant packed[sizeof...(A) + 1] = {ToVariant(args)...};
  raise(std::span<Variant>(packed, sizeof...(A)));
  [[maybe_unused]] size_t i = 0;
  (FromVariant(packed[i++], args), ...);
}

}  // namespace lumora
