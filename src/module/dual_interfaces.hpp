// The function tables behind the controls' interface IDs: the dispatch slots,
// then one slot per member in the type library's order (lumora_controls.h).
// Each slot turns its C arguments into the Invoke a late-bound client makes,
// so both ways behave alike.
#pragma once

#include "frame/type_library.hpp"
#include "module/lumora_module.h"

namespace lumora {

// The dual table of a control's interface; the plain dispatch table for any
// other interface.
const LumoraDispatchVtbl* DispatchVtblFor(const InterfaceInfo& iface);
// Whether a table is one this module hands out.
bool IsModuleDispatchVtbl(const LumoraDispatchVtbl* vtbl);

}  // namespace lumora
