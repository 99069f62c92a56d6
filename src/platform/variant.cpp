#include "platform/variant.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/object.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {
template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;  // clang before 17 deduces no aggregate

// Parses a string holding a number ("12", " -3.5 ", "&H8000000F"); else error 13.
double ParseNumber(const std::string& text) {
  size_t b = text.find_first_not_of(" \t");
  size_t e = text.find_last_not_of(" \t");
  if (b == std::string::npos) Fail(kErrTypeMismatch);
  std::string_view s(text.data() + b, e - b + 1);
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
    uint32_t v = 0;
    auto [p, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), v, 16);
    if (ec != std::errc() || p != s.data() + s.size()) Fail(kErrTypeMismatch);
    return static_cast<int32_t>(v);
  }
  if (SameName(s, "True")) return -1;
  if (SameName(s, "False")) return 0;
  double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec == std::errc::result_out_of_range) Fail(kErrOverflow);
  if (ec != std::errc() || p != s.data() + s.size()) Fail(kErrTypeMismatch);
  return v;
}
}  // namespace

Variant::Variant(PicturePtr value) : m_Value(std::const_pointer_cast<Picture>(std::move(value))) {}

bool Variant::IsNumeric() const {
  const Kind k = GetKind();
  return k == Kind::Boolean || k == Kind::Byte || k == Kind::Integer || k == Kind::Long ||
         k == Kind::Single || k == Kind::Double;
}

bool Variant::IsNothing() const {
  return GetKind() == Kind::Object && std::get<ObjectPtr>(m_Value) == nullptr;
}

double Variant::ToDouble() const {
  return std::visit(
      Overload{
          [](std::monostate) { return 0.0; }, [](Missing) -> double { Fail(kErrTypeMismatch); },
          [](bool b) { return b ? -1.0 : 0.0; }, [](uint8_t v) { return static_cast<double>(v); },
          [](int16_t v) { return static_cast<double>(v); },
          [](int32_t v) { return static_cast<double>(v); }, [](float v) { return double{v}; },
          [](double v) { return v; }, [](const std::string& s) { return ParseNumber(s); },
          [](const ObjectPtr&) -> double { Fail(kErrTypeMismatch); }},
      m_Value);
}

bool Variant::ToBool() const {
  if (const auto* s = std::get_if<std::string>(&m_Value)) return ParseNumber(*s) != 0;
  if (const auto* b = std::get_if<bool>(&m_Value)) return *b;
  return ToDouble() != 0;
}

uint8_t Variant::ToByte() const {
  const int32_t v = lumora::ToInt32(ToDouble());
  if (v < 0 || v > 255) Fail(kErrOverflow);
  return static_cast<uint8_t>(v);
}

int16_t Variant::ToInt16() const {
  if (const auto* v = std::get_if<int16_t>(&m_Value)) return *v;
  return lumora::ToInt16(ToDouble());
}

int32_t Variant::ToInt32() const {
  if (const auto* v = std::get_if<int32_t>(&m_Value)) return *v;
  return lumora::ToInt32(ToDouble());
}

float Variant::ToSingle() const {
  return lumora::ToSingle(ToDouble());
}

std::string Variant::ToString() const {
  return std::visit(Overload{[](std::monostate) { return std::string(); },
                             [](Missing) -> std::string { Fail(kErrTypeMismatch); },
                             [](bool b) { return std::string(b ? "True" : "False"); },
                             [](uint8_t v) { return std::to_string(v); },
                             [](int16_t v) { return std::to_string(v); },
                             [](int32_t v) { return std::to_string(v); },
                             [](float v) {
                               char buf[32];
                               std::snprintf(buf, sizeof buf, "%.7g", double{v});
                               return std::string(buf);
                             },
                             [](double v) {
                               char buf[32];
                               std::snprintf(buf, sizeof buf, "%.15g", v);
                               return std::string(buf);
                             },
                             [](const std::string& s) { return s; },
                             [](const ObjectPtr&) -> std::string { Fail(kErrTypeMismatch); }},
                    m_Value);
}

ObjectPtr Variant::ToObject() const {
  if (IsEmpty()) return nullptr;
  if (const auto* o = std::get_if<ObjectPtr>(&m_Value)) return *o;
  Fail(kErrTypeMismatch);
}

PicturePtr Variant::ToPicture() const {
  ObjectPtr o = ToObject();
  if (!o) return nullptr;
  auto picture = std::dynamic_pointer_cast<const Picture>(o);
  if (!picture) Fail(kErrTypeMismatch);
  return picture;
}

bool Variant::LooselyEquals(const Variant& other) const {
  if (IsObject() || other.IsObject()) {
    const auto* a = std::get_if<ObjectPtr>(&m_Value);
    const auto* b = std::get_if<ObjectPtr>(&other.m_Value);
    const Object* pa = a ? a->get() : nullptr;
    const Object* pb = b ? b->get() : nullptr;
    if (a && b) return pa == pb;
    // Nothing equals Empty (no picture either way); anything else differs.
    return (a ? pa == nullptr && other.IsEmpty() : pb == nullptr && IsEmpty());
  }
  if (IsMissing() || other.IsMissing()) return IsMissing() && other.IsMissing();
  const auto* sa = std::get_if<std::string>(&m_Value);
  const auto* sb = std::get_if<std::string>(&other.m_Value);
  if (sa && sb) return *sa == *sb;
  if (sa && other.IsEmpty()) return sa->empty();
  if (sb && IsEmpty()) return sb->empty();
  try {
    return ToDouble() == other.ToDouble();
  } catch (const Failure&) {
    return false;
  }
}

const char* Variant::KindName(Kind kind) {
  switch (kind) {
    case Kind::Empty: return "Empty";
    case Kind::Missing: return "Missing";
    case Kind::Boolean: return "Boolean";
    case Kind::Byte: return "Byte";
    case Kind::Integer: return "Integer";
    case Kind::Long: return "Long";
    case Kind::Single: return "Single";
    case Kind::Double: return "Double";
    case Kind::String: return "String";
    case Kind::Object: return "Object";
  }
  return "?";
}

std::string Variant::Describe() const {
  std::string kind = KindName(GetKind());
  switch (GetKind()) {
    case Kind::Empty:
    case Kind::Missing: return kind;
    case Kind::String: return kind + " \"" + std::get<std::string>(m_Value) + "\"";
    case Kind::Object: {
      const auto& o = std::get<ObjectPtr>(m_Value);
      return o ? kind + " " + o->TypeName() : "Nothing";
    }
    default: return kind + " " + ToString();
  }
}

}  // namespace lumora
