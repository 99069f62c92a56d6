// How the container's code reaches the controls placed in it: late-bound, by
// property name, since their classes vary from form to form. Every helper
// fails like a late-bound call does (91 for no object, 438 for a missing
// property), so callers run them under Step or Met.
#pragma once

#include <string_view>

#include "platform/errors.hpp"
#include "platform/object.hpp"

namespace lumora {

Variant GetLate(const ObjectPtr& object, std::string_view name);
void LetLate(const ObjectPtr& object, std::string_view name, const Variant& value);
// A late-bound property as a number (single or double values as they are).
double NumberLate(const ObjectPtr& object, std::string_view name);
// `value = True`: a boolean or number equal to True (-1).
bool EqualsTrue(const Variant& value);
// A container coordinate made from a sum: fails with 6 unless it is a finite
// single-precision number.
float Coordinate(double value);

}  // namespace lumora
