// Runtime values in Lua and back: Empty and Nothing are nil, booleans,
// integers and floats keep their kind, records become tables of their fields,
// and other objects become handles compared by identity.
#pragma once

#include <string>

#include <lua.hpp>

#include "platform/variant.hpp"

namespace lumora::host {

// Pushes one value. `path` names an object for messages ("z1.Picture").
void PushVariant(lua_State* L, const Variant& value, const std::string& path = {});

// The value at index: nil is Empty, integers are Long (those between 2^31 and
// 2^32 - 1 read as the 32-bit pattern, so colours such as 0x8000000F work),
// other integers and floats Double, object and form handles their object.
// lumora.Nothing is Nothing, for arguments where nil would mean "left out".
// Tables and functions fail with a ScriptError naming `what`.
Variant LuaToVariant(lua_State* L, int index, const std::string& what);

// Pushes the value scripts know as lumora.Nothing.
void PushNothing(lua_State* L);

// value converted to the kind of `like`: how a Lua handler's change to an
// argument passed by reference flows back (error 13 or 6 when it cannot).
Variant ConvertLike(const Variant& like, const Variant& value);

}  // namespace lumora::host
