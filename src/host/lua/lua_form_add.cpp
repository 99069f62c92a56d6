// form:add: places a control of a registered class on a form, at a placement
// given in twips and with an optional property bag read as a saved form's.
#include <optional>

#include "forms/control_classes.hpp"
#include "host/host_state.hpp"
#include "host/lua/lua_events.hpp"
#include "host/lua/lua_form.hpp"
#include "host/lua/lua_object.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/lua_variant.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/property_bag.hpp"

namespace lumora::host {

namespace {

struct Placement {
  float left = 0;
  float top = 0;
  float width = 2400;
  float height = 1800;
  Control* container = nullptr;
  std::optional<bool> visible;
  std::optional<int16_t> tabIndex;
};

Placement ReadPlacement(lua_State* L, int index, Form& form) {
  Placement p;
  if (IsNoneOrNil(L, index)) return p;
  ArgTable(L, index, "form:add", "argument 3 (placement)");
  lua_pushnil(L);
  while (lua_next(L, index)) {
    if (lua_type(L, -2) != LUA_TSTRING)
      throw ScriptError("form:add: placement keys are names such as Left or Container");
    const std::string key = lua_tostring(L, -2);
    const int value = lua_gettop(L);
    const std::string what = "placement " + key;
    if (SameName(key, "Left")) {
      p.left = static_cast<float>(ArgNumber(L, value, "form:add", what.c_str()));
    } else if (SameName(key, "Top")) {
      p.top = static_cast<float>(ArgNumber(L, value, "form:add", what.c_str()));
    } else if (SameName(key, "Width")) {
      p.width = static_cast<float>(ArgNumber(L, value, "form:add", what.c_str()));
    } else if (SameName(key, "Height")) {
      p.height = static_cast<float>(ArgNumber(L, value, "form:add", what.c_str()));
    } else if (SameName(key, "Container")) {
      std::string path;
      p.container = &ControlArg(L, value, form, "form:add", path);
    } else if (SameName(key, "Visible")) {
      if (lua_type(L, value) != LUA_TBOOLEAN)
        throw ScriptError("form:add: placement Visible must be a boolean");
      p.visible = lua_toboolean(L, value) != 0;
    } else if (SameName(key, "TabIndex")) {
      p.tabIndex = static_cast<int16_t>(ArgInt32(L, value, 0, 32767, "form:add", what.c_str()));
    } else {
      throw ScriptError("form:add: unknown placement key \"" + key +
                        "\" (Left, Top, Width, Height, Container, Visible, TabIndex)");
    }
    lua_pop(L, 1);
  }
  return p;
}

// A Lua table of property-bag keys and values: what a saved form would give
// the control's ReadProperties.
PropertyBag BagFromTable(lua_State* L, int index) {
  ArgTable(L, index, "form:add", "argument 4 (property bag)");
  PropertyBag bag;
  lua_pushnil(L);
  while (lua_next(L, index)) {
    if (lua_type(L, -2) != LUA_TSTRING)
      throw ScriptError("form:add: property bag keys are property names");
    const std::string key = lua_tostring(L, -2);
    const Variant value = LuaToVariant(L, -1, "form:add: property bag key " + key);
    try {
      bag.WriteProperty(key, value, Missing{});  // stored whatever its value
    } catch (const Failure& failure) {
      ThrowScriptError("form:add", failure);
    }
    lua_pop(L, 1);
  }
  return bag;
}

int Add(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:add");
  const std::string cls = ArgString(L, 2, "form:add", "argument 1 (class)");
  const std::string name = ArgString(L, 3, "form:add", "argument 2 (name)");
  const Placement p = ReadPlacement(L, 4, form);
  std::optional<PropertyBag> bag;
  if (!IsNoneOrNil(L, 5)) bag = BagFromTable(L, 5);
  ControlPtr control = NewControl(cls);
  if (!control)
    throw ScriptError("form:add: unknown class \"" + cls + "\" (known: " + ControlClassList() +
                      ")");
  FormHost& host = Host(L).HostOf(SharedForm(form));
  host.Listen(*control, name);  // before the lifecycle, so its events are heard too
  try {
    const bool user = dynamic_cast<UserControl*>(control.get()) != nullptr;
    if (bag && !user)
      throw ScriptError("form:add " + name + ": a " + control->TypeName() +
                        " reads no property bag");
    form.Place(control, name, p.left, p.top, p.width, p.height, p.container, bag ? &*bag : nullptr);
    if (p.visible) control->Visible(*p.visible);
    if (p.tabIndex) control->TabIndex(*p.tabIndex);
  } catch (const Failure& failure) {
    ThrowScriptError("form:add " + name, failure);
  }
  PushObject(L, control, name);
  return 1;
}

}  // namespace

void AddPlacingMethods(lua_State* L, int methods) {
  lua_pushcfunction(L, Guarded<Add>);
  lua_setfield(L, methods, "add");
}

}  // namespace lumora::host
