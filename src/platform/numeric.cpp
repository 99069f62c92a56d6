#include "platform/numeric.hpp"

#include <cfenv>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/errors.hpp"

namespace lumora {

double RoundHalfEven(double value) {
  // nearbyint honours the rounding mode, which the runtime never changes from
  // round-to-nearest-even.
  return std::nearbyint(value);
}

namespace {
template <class T>
std::optional<T> TryNarrowRounded(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max())))
    return std::nullopt;
  return static_cast<T>(r);
}

template <class T>
T NarrowRounded(double value) {
  const std::optional<T> narrowed = TryNarrowRounded<T>(value);
  if (!narrowed) Fail(kErrOverflow);
  return *narrowed;
}

template <class T>
T NarrowWide(int64_t value) {
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
    Fail(kErrOverflow);
  return static_cast<T>(value);
}
}  // namespace

int16_t ToInt16(double value) {
  return NarrowRounded<int16_t>(value);
}
int32_t ToInt32(double value) {
  return NarrowRounded<int32_t>(value);
}
std::optional<int16_t> TryToInt16(double value) {
  return TryNarrowRounded<int16_t>(value);
}
int16_t ToInt16(int64_t value) {
  return NarrowWide<int16_t>(value);
}
int32_t ToInt32(int64_t value) {
  return NarrowWide<int32_t>(value);
}

float ToSingle(double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    Fail(kErrOverflow);
  return static_cast<float>(value);
}

template <class T>
Checked<T> Checked<T>::Narrow(int64_t wide) {
  return Checked(NarrowWide<T>(wide));
}

template class Checked<int16_t>;
template class Checked<int32_t>;

double PixelsToHimetric(double pixels) {
  return pixels * kHimetricPerInch / kPixelsPerInch;
}
double HimetricToPixels(double himetric) {
  return himetric * kPixelsPerInch / kHimetricPerInch;
}

}  // namespace lumora
