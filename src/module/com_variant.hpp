// Values across the C interface: LumoraVariant to and from the runtime's
// Variant. Objects travel as dispatch pointers of this module; strings as
// UTF-8 owned by the variant.
#pragma once

#include "module/lumora_module.h"
#include "platform/errors.hpp"
#include "platform/variant.hpp"

namespace lumora {

// An argument whose variant type the interface does not know (error 13 to the
// runtime, LUMORA_DISP_E_BADVARTYPE to a dispatch client).
class BadVariantType : public Failure {
 public:
  using Failure::Failure;
};

// The value an argument carries (through the pointer, for a by-reference
// one). A type the interface does not know fails with BadVariantType; a value
// it cannot take (a dispatch pointer from elsewhere, an error code other than
// "left out", a reference to a reference) with error 13.
Variant FromLumoraVariant(const LumoraVariant& v);
// Writes a value into an empty variant; an object is wrapped with a new
// reference that the variant owns.
void ToLumoraVariant(const Variant& value, LumoraVariant& out);
// Stores a value back through a by-reference argument, converted to the
// type it points to (13 or 6 when it does not convert).
void StoreByRef(const Variant& value, LumoraVariant& arg);
// A by-reference argument to target's value, typed as target is (a variant
// reference when target is empty).
LumoraVariant ByRefTo(LumoraVariant& target);

}  // namespace lumora
