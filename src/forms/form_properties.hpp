// The properties a form file stores for the runtime's ordinary controls
// (labels, buttons, scroll bars ...), which have no property bag of their
// own: read and applied late-bound, in an order that applies cleanly (a scroll
// bar's range before its value), left out when a new control has the same.
#pragma once

#include <string_view>

#include "platform/controls/control.hpp"
#include "platform/property_bag.hpp"

namespace lumora {

// Writes the control's stored properties into bag.
void WriteOrdinaryProperties(Control& control, PropertyBag& bag);
// Applies the properties in bag to the control; a key the class does not
// store fails with error 438 naming it, a value it refuses with its error.
// Failures name the key in the description ("Caption: ...").
void ReadOrdinaryProperties(Control& control, const PropertyBag& bag);

}  // namespace lumora
