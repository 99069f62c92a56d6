// Calls a C++ function with arguments held in Variants: converts each to the
// parameter's type, writes by-reference arguments back, and describes the
// signature in type-library terms. Shared by dispatch bindings and typed event
// handlers; include only where a table of them is built.
#pragma once

#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

#include "frame/dispatch.hpp"
#include "frame/marshal.hpp"

namespace lumora {

namespace binding_detail {

// One argument of a call, converted from its Variant for the parameter type P.
template <class P>
class Arg {
  using D = std::remove_cvref_t<P>;

 public:
  Arg(Variant& v, size_t index) {
    try {
      FromVariant(v, m_Value);
    } catch (const Failure& failure) {
      throw ArgumentFailure(index, failure);
    }
  }
  decltype(auto) Get() {
    if constexpr (std::is_reference_v<P>)
      return (m_Value);
    else
      return std::move(m_Value);
  }
  void WriteBack(Variant&) const {}

 private:
  D m_Value{};
};

// By reference: the callee's changes are written back when there are any, so
// an argument left alone keeps the caller's own type.
template <class D>
requires(!std::is_const_v<D>) class Arg<D&> {
 public:
  Arg(Variant& v, size_t index) {
    try {
      FromVariant(v, m_Value);
    } catch (const Failure& failure) {
      throw ArgumentFailure(index, failure);
    }
    m_Original = m_Value;
  }
  D& Get() { return m_Value; }
  void WriteBack(Variant& v) const {
    if constexpr (std::equality_comparable<D>) {
      if (m_Value == m_Original) return;
    }
    v = ToVariant(m_Value);
  }

 private:
  D m_Value{};
  D m_Original{};
};

// Variants pass straight through; by reference they are the caller's own.
template <>
class Arg<Variant&> {
 public:
  Arg(Variant& v, size_t) : m_Value(&v) {}
  Variant& Get() { return *m_Value; }
  void WriteBack(Variant&) const {}

 private:
  Variant* m_Value;
};

template <class P>
constexpr bool kByRef =
    std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;

template <class R, class... A>
BoundSignature SignatureOf() {
  return BoundSignature{kTypeOf<R>, {BoundParam{kTypeOf<A>, kByRef<A>}...}};
}

// Calls `f` with the converted arguments, writes by-reference arguments back
// and returns the result as a Variant.
template <class R, class... A, class F, size_t... I>
Variant CallWith(F&& f, std::span<Variant> args, std::index_sequence<I...>) {
  std::tuple<Arg<A>...> converted{Arg<A>(args[I], I)...};
  if constexpr (std::is_void_v<R>) {
    f(std::get<I>(converted).Get()...);
    (std::get<I>(converted).WriteBack(args[I]), ...);
    return Variant();
  } else {
    Variant result = ToVariant(f(std::get<I>(converted).Get()...));
    (std::get<I>(converted).WriteBack(args[I]), ...);
    return result;
  }
}

template <class R, class... A, class F>
Variant Call(F&& f, std::span<Variant> args) {
  return CallWith<R, A...>(std::forward<F>(f), args, std::index_sequence_for<A...>{});
}

[[noreturn]] void FailNotA(const Object& self, std::string_view expected);

template <class T>
T& SelfAs(Object& self, std::string_view className) {
  T* t = dynamic_cast<T*>(&self);
  if (!t) FailNotA(self, className);
  return *t;
}

}  // namespace binding_detail

}  // namespace lumora
