// Declares, in one table per control class, which member function implements
// each member of its type-library interface:
//
//   static const DispatchTable table = Bindings<ZelPicZoom>(PicZoomInterface())
//       .Property("BarsWidth", &ZelPicZoom::BarsWidth, &ZelPicZoom::BarsWidth)
//       .Property("hWnd", &ZelPicZoom::hWnd)
//       .Method("Go", &ZelPicZoom::Go)
//       .Build();
//
// Getter `T Name() const` and setter `void Name(T)` are told apart by their
// signatures. A setter taking a picture or object is the "set" accessor, any
// other the "let". A parameter taken by non-const reference is by reference:
// the caller sees what the member leaves in it. Include this header only from
// the file that builds a table.
#pragma once

#include <type_traits>

#include "frame/bound_call.hpp"
#include "frame/dispatch.hpp"

namespace lumora {

template <class T>
class Bindings {
  static_assert(std::is_base_of_v<Object, T>, "bound classes are Objects");

 public:
  explicit Bindings(const InterfaceInfo& iface) : m_Interface(&iface) {}

  // A read-only property.
  template <class C, class R>
  Bindings& Property(std::string_view name, R (C::*get)() const) {
    AddGet(name, get);
    return *this;
  }

  // A read-write property: the getter, then the setter (let or set by type).
  // Getter and setter may come from different classes of T's hierarchy.
  template <class G, class R, class S, class A>
  Bindings& Property(std::string_view name, R (G::*get)() const, void (S::*put)(A)) {
    AddGet(name, get);
    constexpr TypeCode code = kTypeOf<A>.code;
    const MemberKind kind =
        code == TypeCode::Picture || code == TypeCode::Object ? MemberKind::Set : MemberKind::Let;
    AddMethod(name, kind, put);
    return *this;
  }

  template <class C, class R, class... A>
  Bindings& Method(std::string_view name, R (C::*fn)(A...)) {
    AddMethod(name, MemberKind::Method, fn);
    return *this;
  }
  template <class C, class R, class... A>
  Bindings& Method(std::string_view name, R (C::*fn)(A...) const) {
    AddMethod(name, MemberKind::Method, fn);
    return *this;
  }

  DispatchTable Build() { return DispatchTable(*m_Interface, std::move(m_Bindings)); }

 private:
  template <class C, class R>
  void AddGet(std::string_view name, R (C::*get)() const) {
    static_assert(std::is_base_of_v<C, T>);
    const std::string_view cls = m_Interface->name;
    m_Bindings.push_back(Binding{std::string(name), MemberKind::Get,
                                 binding_detail::SignatureOf<R>(),
                                 [get, cls](Object& self, std::span<Variant>) -> Variant {
                                   const C& obj = binding_detail::SelfAs<T>(self, cls);
                                   return ToVariant((obj.*get)());
                                 }});
  }

  template <class Fn, class C, class R, class... A>
  void AddMember(std::string_view name, MemberKind kind, Fn fn) {
    static_assert(std::is_base_of_v<C, T>);
    const std::string_view cls = m_Interface->name;
    m_Bindings.push_back(Binding{
        std::string(name), kind, binding_detail::SignatureOf<R, A...>(),
        [fn, cls](Object& self, std::span<Variant> args) -> Variant {
          C& obj = binding_detail::SelfAs<T>(self, cls);
          return binding_detail::Call<R, A...>(
              [&](auto&&... a) -> R { return (obj.*fn)(std::forward<decltype(a)>(a)...); }, args);
        }});
  }
  template <class C, class R, class... A>
  void AddMethod(std::string_view name, MemberKind kind, R (C::*fn)(A...)) {
    AddMember<R (C::*)(A...), C, R, A...>(name, kind, fn);
  }
  template <class C, class R, class... A>
  void AddMethod(std::string_view name, MemberKind kind, R (C::*fn)(A...) const) {
    AddMember<R (C::*)(A...) const, C, R, A...>(name, kind, fn);
  }

  const InterfaceInfo* m_Interface;
  std::vector<Binding> m_Bindings;
};

}  // namespace lumora
