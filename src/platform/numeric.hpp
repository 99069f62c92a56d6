// Numeric conventions of the runtime: rounding half to even, checked 16- and
// 32-bit integers that fail with error 6 instead of wrapping, and units.
#pragma once

#include <cstdint>
#include <optional>

namespace lumora {

// Rounds to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

// Conversions that round half to even and fail with error 6 when the result
// does not fit (NaN included).
int16_t ToInt16(double value);
int32_t ToInt32(double value);
int16_t ToInt16(int64_t value);
int32_t ToInt32(int64_t value);
// ToInt16 that answers nothing where ToInt16 would fail.
std::optional<int16_t> TryToInt16(double value);
inline int16_t ToInt16(int32_t value) {
  return ToInt16(static_cast<int64_t>(value));
}
// A double narrowed to single precision; fails with error 6 when out of range.
float ToSingle(double value);

// A 16- or 32-bit signed integer whose arithmetic fails with error 6 on overflow.
template <class T>
class Checked {
 public:
  constexpr Checked() = default;
  constexpr Checked(T value) : m_Value(value) {}  // NOLINT: implicit by design
  constexpr T Value() const { return m_Value; }
  constexpr operator T() const { return m_Value; }  // NOLINT

  friend Checked operator+(Checked a, Checked b) { return Narrow(int64_t{a.m_Value} + b.m_Value); }
  friend Checked operator-(Checked a, Checked b) { return Narrow(int64_t{a.m_Value} - b.m_Value); }
  friend Checked operator*(Checked a, Checked b) { return Narrow(int64_t{a.m_Value} * b.m_Value); }
  Checked operator-() const { return Narrow(-int64_t{m_Value}); }

 private:
  static Checked Narrow(int64_t wide);
  T m_Value = 0;
};

using Int16 = Checked<int16_t>;
using Int32 = Checked<int32_t>;

extern template class Checked<int16_t>;
extern template class Checked<int32_t>;

// Units.
constexpr int kTwipsPerPixel = 15;
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

double PixelsToHimetric(double pixels);
double HimetricToPixels(double himetric);

}  // namespace lumora
