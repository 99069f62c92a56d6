#include "scrollcontainer/late_bound.hpp"

#include <cmath>

#include "platform/numeric.hpp"

namespace lumora {

Variant GetLate(const ObjectPtr& object, std::string_view name) {
  if (!object) Fail(kErrNoObject);
  return object->GetProperty(name);
}

void LetLate(const ObjectPtr& object, std::string_view name, const Variant& value) {
  if (!object) Fail(kErrNoObject);
  object->SetProperty(name, value);
}

double NumberLate(const ObjectPtr& object, std::string_view name) {
  return GetLate(object, name).ToDouble();
}

bool EqualsTrue(const Variant& value) {
  return value.ToDouble() == -1.0;
}

float Coordinate(double value) {
  if (!std::isfinite(value)) Fail(kErrOverflow);
  return ToSingle(value);
}

}  // namespace lumora
