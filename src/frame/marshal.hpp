// Conversions between Variants and the C++ types of the published interface,
// and the type word each C++ type stands for. Bindings, event handlers and
// event raisers use them; a value that cannot be converted fails with error 13
// (type mismatch) or 6 (overflow).
#pragma once

#include <string>
#include <type_traits>

#include "frame/records.hpp"
#include "frame/type_library.hpp"
#include "platform/color.hpp"
#include "platform/variant.hpp"

namespace lumora {

// The type-library type a C++ type stands for. Types without one do not compile.
template <class T>
struct TypeOf {
  static_assert(!sizeof(T*), "this C++ type has no type-library type");
};
#define LUMORA_TYPE_OF(Cpp, ...)                 \
  template <>                                    \
  struct TypeOf<Cpp> {                           \
    static constexpr TypeRef value{__VA_ARGS__}; \
  }
LUMORA_TYPE_OF(void, TypeCode::Void);
LUMORA_TYPE_OF(int16_t, TypeCode::Int16);
LUMORA_TYPE_OF(int32_t, TypeCode::Int32);
LUMORA_TYPE_OF(float, TypeCode::Float32);
LUMORA_TYPE_OF(bool, TypeCode::Bool16);
LUMORA_TYPE_OF(OleColor, TypeCode::Color);
LUMORA_TYPE_OF(PicturePtr, TypeCode::Picture);
LUMORA_TYPE_OF(PointerShape, TypeCode::PointerShape);
LUMORA_TYPE_OF(Variant, TypeCode::Variant);
LUMORA_TYPE_OF(std::string, TypeCode::String);
LUMORA_TYPE_OF(ObjectPtr, TypeCode::Object);
LUMORA_TYPE_OF(GoDirection, TypeCode::Enum, "GoDirection");
LUMORA_TYPE_OF(ScrollBars, TypeCode::Enum, "ScrollBars");
LUMORA_TYPE_OF(ScrollDirection, TypeCode::Enum, "ScrollDirection");
LUMORA_TYPE_OF(PicturePositions, TypeCode::Record, "PicturePositions");
LUMORA_TYPE_OF(PictureSizes, TypeCode::Record, "PictureSizes");
#undef LUMORA_TYPE_OF

template <class T>
inline constexpr TypeRef kTypeOf = TypeOf<std::remove_cvref_t<T>>::value;

// Variant -> C++. Enumerations take any 32-bit value (out-of-range values are
// the member's to judge). Colours also take the unsigned reading of a value
// with the top bit set. Records take the record objects ToVariant makes.
void FromVariant(const Variant& v, int16_t& out);
void FromVariant(const Variant& v, int32_t& out);
void FromVariant(const Variant& v, float& out);
void FromVariant(const Variant& v, bool& out);
void FromVariant(const Variant& v, OleColor& out);
void FromVariant(const Variant& v, PicturePtr& out);
void FromVariant(const Variant& v, PointerShape& out);
void FromVariant(const Variant& v, Variant& out);
void FromVariant(const Variant& v, std::string& out);
void FromVariant(const Variant& v, ObjectPtr& out);
void FromVariant(const Variant& v, GoDirection& out);
void FromVariant(const Variant& v, ScrollBars& out);
void FromVariant(const Variant& v, ScrollDirection& out);
void FromVariant(const Variant& v, PicturePositions& out);
void FromVariant(const Variant& v, PictureSizes& out);

// C++ -> Variant. Records become record objects (see record_value.hpp) whose
// fields are read by name.
inline Variant ToVariant(int16_t v) {
  return Variant(v);
}
inline Variant ToVariant(int32_t v) {
  return Variant(v);
}
inline Variant ToVariant(float v) {
  return Variant(v);
}
inline Variant ToVariant(bool v) {
  return Variant(v);
}
inline Variant ToVariant(OleColor v) {
  return Variant(v);
}
inline Variant ToVariant(const PicturePtr& v) {
  return Variant(v);
}
inline Variant ToVariant(PointerShape v) {
  return Variant(static_cast<int32_t>(v));
}
inline Variant ToVariant(const Variant& v) {
  return v;
}
inline Variant ToVariant(const std::string& v) {
  return Variant(v);
}
inline Variant ToVariant(const ObjectPtr& v) {
  return Variant(v);
}
inline Variant ToVariant(GoDirection v) {
  return Variant(static_cast<int32_t>(v));
}
inline Variant ToVariant(ScrollBars v) {
  return Variant(static_cast<int32_t>(v));
}
inline Variant ToVariant(ScrollDirection v) {
  return Variant(static_cast<int32_t>(v));
}
Variant ToVariant(const PicturePositions& v);
Variant ToVariant(const PictureSizes& v);

}  // namespace lumora
