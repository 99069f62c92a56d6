// Rows of a member table made from a class's own accessors, one line each:
//
//   Property("ScaleMode", &PictureBox::ScaleMode, &PictureBox::ScaleMode),
//   Property("ScaleLeft", &PictureBox::ScaleLeft),  // read-only
//   Method("Cls", &PictureBox::Cls),                // no arguments, no result
//
// Getter `T Name() const` (or a getter that makes its value on demand,
// without const) and setter `void Name(T)` are told apart by their
// signatures. The value read is the getter's result as a Variant; the value
// written is converted to the setter's parameter type (VariantAs). Members
// that need more (optional arguments, casts) stay hand-written. Include this
// header only from the file that builds a table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/color.hpp"
#include "platform/controls/member_table.hpp"
#include "platform/object.hpp"

namespace lumora {

// A Variant as the type a setter takes, converted as the runtime converts
// assigned values (colours are 32-bit values of either sign).
template <class T>
T VariantAs(const Variant& v) {
  if constexpr (std::is_same_v<T, bool>) {
    return v.ToBool();
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    return v.ToByte();
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return v.ToInt16();
  } else if constexpr (std::is_same_v<T, int32_t>) {
    return v.ToInt32();
  } else if constexpr (std::is_same_v<T, OleColor>) {
    return static_cast<OleColor>(v.ToInt32());
  } else if constexpr (std::is_same_v<T, float>) {
    return v.ToSingle();
  } else if constexpr (std::is_same_v<T, double>) {
    return v.ToDouble();
  } else if constexpr (std::is_same_v<T, std::string>) {
    return v.ToString();
  } else {
    static_assert(std::is_same_v<T, PicturePtr>, "no Variant conversion for this setter");
    return v.ToPicture();
  }
}

// A read-only property.
template <class G, class R>
Member Property(std::string_view name, R (G::*get)() const) {
  return {name, [get](Object& o) { return Variant((static_cast<const G&>(o).*get)()); }, {}, {}};
}

template <class G, class R>
Member Property(std::string_view name, R (G::*get)()) {
  return {name, [get](Object& o) { return Variant((static_cast<G&>(o).*get)()); }, {}, {}};
}

// A read-write property: the getter, then the setter.
template <class G, class R, class S, class A>
Member Property(std::string_view name, R (G::*get)() const, void (S::*set)(A)) {
  Member member = Property(name, get);
  member.set = [set](Object& o, const Variant& v) {
    (static_cast<S&>(o).*set)(VariantAs<std::remove_cvref_t<A>>(v));
  };
  return member;
}

// A method without arguments or result.
template <class C>
Member Method(std::string_view name, void (C::*run)()) {
  return {name, {}, {}, [run](Object& o, std::span<Variant>) {
            (static_cast<C&>(o).*run)();
            return Variant();
          }};
}

}  // namespace lumora
