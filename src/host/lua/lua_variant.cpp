#include "host/lua/lua_variant.hpp"

#include <cstdint>

#include "frame/record_value.hpp"
#include "host/lua/lua_form.hpp"
#include "host/lua/lua_object.hpp"
#include "host/lua/lua_state.hpp"
#include "platform/form/form.hpp"

namespace lumora::host {

namespace {

// The address lumora.Nothing carries: unique to this program.
const char g_NothingTag = 0;

void PushRecord(lua_State* L, const RecordValue& record) {
  const auto& fields = record.Info().fields;
  lua_createtable(L, 0, static_cast<int>(fields.size()));
  for (size_t i = 0; i < fields.size(); ++i) {
    PushVariant(L, record.Field(i));
    lua_setfield(L, -2, std::string(fields[i].name).c_str());
  }
}

}  // namespace

void PushVariant(lua_State* L, const Variant& value, const std::string& path) {
  switch (value.GetKind()) {
    case Variant::Kind::Empty:
    case Variant::Kind::Missing: lua_pushnil(L); return;
    case Variant::Kind::Boolean: lua_pushboolean(L, value.ToBool()); return;
    case Variant::Kind::Byte:
    case Variant::Kind::Integer:
    case Variant::Kind::Long: lua_pushinteger(L, value.ToInt32()); return;
    case Variant::Kind::Single:
    case Variant::Kind::Double: lua_pushnumber(L, value.ToDouble()); return;
    case Variant::Kind::String: {
      const std::string text = value.ToString();
      lua_pushlstring(L, text.data(), text.size());
      return;
    }
    case Variant::Kind::Object: break;
  }
  const ObjectPtr object = value.ToObject();
  if (!object) {
    lua_pushnil(L);
  } else if (const auto* record = dynamic_cast<const RecordValue*>(object.get())) {
    PushRecord(L, *record);
  } else if (auto form = std::dynamic_pointer_cast<Form>(object)) {
    PushForm(L, form);
  } else {
    PushObject(L, object, path.empty() ? object->TypeName() : path);
  }
}

void PushNothing(lua_State* L) {
  lua_pushlightuserdata(L, const_cast<char*>(&g_NothingTag));
}

Variant LuaToVariant(lua_State* L, int index, const std::string& what) {
  switch (lua_type(L, index)) {
    case LUA_TNONE:
    case LUA_TNIL: return Variant();
    case LUA_TBOOLEAN: return Variant(lua_toboolean(L, index) != 0);
    case LUA_TNUMBER:
      if (lua_isinteger(L, index)) {
        const lua_Integer n = lua_tointeger(L, index);
        if (n >= INT32_MIN && n <= INT32_MAX) return Variant(static_cast<int32_t>(n));
        if (n > INT32_MAX && n <= UINT32_MAX) return Variant(static_cast<uint32_t>(n));
        return Variant(static_cast<double>(n));
      }
      return Variant(static_cast<double>(lua_tonumber(L, index)));
    case LUA_TSTRING: {
      size_t length = 0;
      const char* text = lua_tolstring(L, index, &length);
      return Variant(std::string(text, length));
    }
    case LUA_TLIGHTUSERDATA:
      if (lua_touserdata(L, index) == &g_NothingTag) return Variant(nullptr);
      break;
    case LUA_TUSERDATA:
      if (ObjectPtr object = TestObject(L, index)) return Variant(object);
      if (std::shared_ptr<Form> form = TestForm(L, index)) return Variant(ObjectPtr(form));
      break;
    default: break;
  }
  throw ScriptError(what + ": a " + TypeNameAt(L, index) + " cannot be passed to the runtime");
}

Variant ConvertLike(const Variant& like, const Variant& value) {
  switch (like.GetKind()) {
    case Variant::Kind::Boolean: return Variant(value.ToBool());
    case Variant::Kind::Byte: return Variant(value.ToByte());
    case Variant::Kind::Integer: return Variant(value.ToInt16());
    case Variant::Kind::Long: return Variant(value.ToInt32());
    case Variant::Kind::Single: return Variant(value.ToSingle());
    case Variant::Kind::Double: return Variant(value.ToDouble());
    case Variant::Kind::String: return Variant(value.ToString());
    case Variant::Kind::Object: return Variant(value.ToObject());
    case Variant::Kind::Empty:
    case Variant::Kind::Missing: break;
  }
  return value;
}

}  // namespace lumora::host
