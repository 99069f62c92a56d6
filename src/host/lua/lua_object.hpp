// Object handles: Lua userdata for runtime objects (placed and constituent
// controls, pictures). Members are reached by name as a late-bound client
// reaches them: through the object's type-library dispatch table when it has
// one, else through the runtime's Object interface. Handles of one object are
// one userdata, so == compares identity.
#pragma once

#include <string>

#include <lua.hpp>

#include "platform/object.hpp"

namespace lumora::host {

// Creates the handles' metatable and identity cache.
void RegisterObjects(lua_State* L);

// Pushes the handle of object (the same userdata while it lives). path names
// it in messages: "z1", "z1.HScroll", "Picture".
void PushObject(lua_State* L, const ObjectPtr& object, const std::string& path);

// The object of the handle at index, or null when the value is no handle.
ObjectPtr TestObject(lua_State* L, int index);
// The path the handle at index was made with ("" for no handle).
std::string ObjectPath(lua_State* L, int index);

}  // namespace lumora::host
