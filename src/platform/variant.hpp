// The runtime's dynamic value: what properties, property bags and late-bound
// calls carry. Coercions follow the runtime's rules: booleans are -1/0,
// float-to-integer conversions round half to even, overflow is error 6, a value
// that cannot be converted is error 13.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace lumora {

class Object;
class Picture;
using ObjectPtr = std::shared_ptr<Object>;
using PicturePtr = std::shared_ptr<const Picture>;

// An optional argument the caller left out.
struct Missing {
  bool operator==(const Missing&) const = default;
};

class Variant {
 public:
  enum class Kind { Empty, Missing, Boolean, Byte, Integer, Long, Single, Double, String, Object };

  Variant() = default;
  Variant(Missing) : m_Value(Missing{}) {}
  Variant(bool value) : m_Value(value) {}
  Variant(uint8_t value) : m_Value(value) {}
  Variant(int16_t value) : m_Value(value) {}
  Variant(int32_t value) : m_Value(value) {}
  Variant(uint32_t value) : m_Value(static_cast<int32_t>(value)) {}  // colours
  Variant(float value) : m_Value(value) {}
  Variant(double value) : m_Value(value) {}
  Variant(std::string value) : m_Value(std::move(value)) {}
  Variant(const char* value) : m_Value(std::string(value)) {}
  Variant(ObjectPtr value) : m_Value(std::move(value)) {}
  Variant(PicturePtr value);
  Variant(std::nullptr_t) : m_Value(ObjectPtr{}) {}  // Nothing

  Kind GetKind() const { return static_cast<Kind>(m_Value.index()); }
  bool IsEmpty() const { return GetKind() == Kind::Empty; }
  bool IsMissing() const { return GetKind() == Kind::Missing; }
  bool IsNumeric() const;  // Boolean, Byte, Integer, Long, Single, Double
  bool IsObject() const { return GetKind() == Kind::Object; }
  bool IsNothing() const;  // an object reference that is Nothing

  // Coercions; each fails with 13 (type mismatch) or 6 (overflow).
  bool ToBool() const;
  uint8_t ToByte() const;
  int16_t ToInt16() const;
  int32_t ToInt32() const;
  float ToSingle() const;
  double ToDouble() const;
  std::string ToString() const;
  ObjectPtr ToObject() const;    // Empty gives Nothing
  PicturePtr ToPicture() const;  // Empty and Nothing give no picture

  // Loose equality as a property store compares a value with its default:
  // numbers by value (Empty counts as 0 and ""), strings exactly, objects by
  // identity.
  bool LooselyEquals(const Variant& other) const;
  // Exact equality: same kind and same value (objects by identity).
  bool operator==(const Variant& other) const { return m_Value == other.m_Value; }

  // A short description for messages ("Integer 5", "String \"x\"").
  std::string Describe() const;
  static const char* KindName(Kind kind);

 private:
  std::variant<std::monostate, Missing, bool, uint8_t, int16_t, int32_t, float, double, std::string,
               ObjectPtr>
      m_Value;
};

}  // namespace lumora
