#include "host/lua/lua_object.hpp"

#include <new>
#include <vector>

#include "frame/dispatch.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/lua_variant.hpp"
#include "platform/controls/control.hpp"
#include "platform/controls/member_table.hpp"
#include "platform/errors.hpp"

namespace lumora::host {

namespace {

constexpr const char* kMeta = "runtime object";  // the type name messages show
constexpr const char* kCache = "lumora.object handles";

struct ObjectBox {
  ObjectPtr object;
  std::string path;
};

ObjectBox* TestBox(lua_State* L, int index) {
  return static_cast<ObjectBox*>(luaL_testudata(L, index, kMeta));
}

ObjectBox& CheckBox(lua_State* L, int index, const char* function) {
  ObjectBox* box = TestBox(L, index);
  if (!box)
    throw ScriptError(std::string(function) + ": expected a control, got " + TypeNameAt(L, index));
  return *box;
}

const DispatchTable* TableWith(const Object& object, std::string_view name) {
  const DispatchTable* table = DispatchTableOf(object);
  return table && table->HasMember(name) ? table : nullptr;
}

// Whether a name is a method (called with ':') rather than a property.
bool IsMethod(Object& object, std::string_view name) {
  if (const DispatchTable* table = TableWith(object, name)) {
    const InterfaceInfo& iface = table->Interface();
    return !iface.Find(name, MemberKind::Get) && iface.Find(name, MemberKind::Method);
  }
  if (const auto* control = dynamic_cast<const Control*>(&object)) {
    const Member* member = control->Members().Find(name);
    return member && member->call;
  }
  return false;
}

Variant GetMember(Object& object, const std::string& name) {
  if (const DispatchTable* table = TableWith(object, name))
    return table->Invoke(object, table->GetIDsOfNames(name), MemberKind::Get, {});
  return object.GetProperty(name);
}

void SetMember(Object& object, const std::string& name, Variant value) {
  if (const DispatchTable* table = TableWith(object, name)) {
    const bool reference = value.IsObject() || value.IsEmpty();
    const bool hasSet = table->Interface().Find(name, MemberKind::Set) != nullptr;
    if (value.IsEmpty() && hasSet) value = Variant(nullptr);  // nil assigns Nothing
    const MemberKind kind = reference && hasSet ? MemberKind::Set : MemberKind::Let;
    Variant args[] = {std::move(value)};
    table->Invoke(object, table->GetIDsOfNames(name), kind, args);
    return;
  }
  object.SetProperty(name, value);
}

// obj:Method(...): upvalue 1 is the name, 2 the handle. Returns the result,
// then the arguments passed by reference as the method left them.
int CallMethod(lua_State* L) {
  const std::string name = lua_tostring(L, lua_upvalueindex(1));
  ObjectBox& box = *TestBox(L, lua_upvalueindex(2));
  const std::string member = box.path + "." + name;
  if (!lua_rawequal(L, 1, lua_upvalueindex(2)))
    throw ScriptError(member + ": call methods with ':', as in " + box.path + ":" + name + "()");
  const int count = lua_gettop(L) - 1;
  std::vector<Variant> args;
  args.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Variant arg = LuaToVariant(L, i + 2, member + " argument " + std::to_string(i + 1));
    args.push_back(arg.IsEmpty() ? Variant(Missing{}) : std::move(arg));  // nil leaves it out
  }
  Variant result;
  std::vector<bool> byRef(args.size(), true);  // the Object interface passes all by reference
  try {
    if (const DispatchTable* table = TableWith(*box.object, name)) {
      const MemberInfo* info = table->Interface().Find(name, MemberKind::Method);
      for (size_t i = 0; i < byRef.size(); ++i)
        byRef[i] = info && i < info->params.size() && info->params[i].byRef;
      result = table->Invoke(*box.object, table->GetIDsOfNames(name), MemberKind::Method, args);
    } else {
      result = box.object->CallMethod(name, args);
    }
  } catch (const Failure& failure) {
    ThrowScriptError(member, failure);
  }
  lua_checkstack(L, count + 1);
  PushVariant(L, result, member);
  int results = 1;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!byRef[i]) continue;
    PushVariant(L, args[i]);
    ++results;
  }
  return results;
}

int Index(lua_State* L) {
  ObjectBox& box = CheckBox(L, 1, "index");
  if (lua_type(L, 2) != LUA_TSTRING)
    throw ScriptError(box.path + ": members are named by strings, not by a " + TypeNameAt(L, 2));
  const std::string name = lua_tostring(L, 2);
  const std::string member = box.path + "." + name;
  try {
    if (IsMethod(*box.object, name)) {
      lua_pushvalue(L, 2);
      lua_pushvalue(L, 1);
      lua_pushcclosure(L, Guarded<CallMethod>, 2);
      return 1;
    }
    const Variant value = GetMember(*box.object, name);
    PushVariant(L, value, member);
  } catch (const Failure& failure) {
    ThrowScriptError(member, failure);
  }
  return 1;
}

int NewIndex(lua_State* L) {
  ObjectBox& box = CheckBox(L, 1, "assignment");
  if (lua_type(L, 2) != LUA_TSTRING)
    throw ScriptError(box.path + ": members are named by strings, not by a " + TypeNameAt(L, 2));
  const std::string name = lua_tostring(L, 2);
  const std::string member = box.path + "." + name;
  Variant value = LuaToVariant(L, 3, member);
  try {
    SetMember(*box.object, name, std::move(value));
  } catch (const Failure& failure) {
    ThrowScriptError(member, failure);
  }
  return 0;
}

int Equal(lua_State* L) {
  const ObjectBox* a = TestBox(L, 1);
  const ObjectBox* b = TestBox(L, 2);
  lua_pushboolean(L, a && b && a->object == b->object);
  return 1;
}

int ToString(lua_State* L) {
  const ObjectBox& box = CheckBox(L, 1, "tostring");
  const std::string text = box.object->TypeName() + ": " + box.path;
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

// Runs from the collector: no C++ exception may leave it, and it has none to throw.
int Collect(lua_State* L) {
  if (ObjectBox* box = TestBox(L, 1)) box->~ObjectBox();
  return 0;
}

}  // namespace

void RegisterObjects(lua_State* L) {
  RegisterHandleType(
      L, kMeta, kCache,
      {Guarded<Index>, Guarded<NewIndex>, Guarded<Equal>, Guarded<ToString>, Collect});
}

void PushObject(lua_State* L, const ObjectPtr& object, const std::string& path) {
  if (!object) {
    lua_pushnil(L);
    return;
  }
  lua_getfield(L, LUA_REGISTRYINDEX, kCache);
  lua_pushlightuserdata(L, object.get());
  if (lua_rawget(L, -2) == LUA_TUSERDATA) {
    lua_remove(L, -2);
    return;
  }
  lua_pop(L, 1);
  void* memory = lua_newuserdatauv(L, sizeof(ObjectBox), 0);
  new (memory) ObjectBox{object, path};
  luaL_setmetatable(L, kMeta);
  lua_pushlightuserdata(L, object.get());
  lua_pushvalue(L, -2);
  lua_rawset(L, -4);
  lua_remove(L, -2);
}

ObjectPtr TestObject(lua_State* L, int index) {
  const ObjectBox* box = TestBox(L, index);
  return box ? box->object : nullptr;
}

std::string ObjectPath(lua_State* L, int index) {
  const ObjectBox* box = TestBox(L, index);
  return box ? box->path : std::string();
}

}  // namespace lumora::host
