// The type library as a C header: the enumerations, records, class and
// interface IDs, event DISPIDs and the dual interfaces' function tables, in
// slot order. `lumora typelib --c-header` prints it; the library ships the
// result as module/lumora_controls.h, and a test keeps the two equal.
#pragma once

#include <string>

#include "frame/type_library.hpp"

namespace lumora {

std::string WriteCHeader(const LibraryInfo& library);

// The C spelling of a type ("int16_t", "LumoraDispatch*", "LumoraGoDirection").
std::string CType(const TypeRef& type);

// The name a slot has in its function table: get_X, put_X, putref_X, or the
// method's own name.
std::string CSlotName(const MemberInfo& member);

}  // namespace lumora
