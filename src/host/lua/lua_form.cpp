#include "host/lua/lua_form.hpp"

#include <new>

#include "forms/form_file.hpp"
#include "host/host_state.hpp"
#include "host/lua/lua_events.hpp"
#include "host/lua/lua_object.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/lua_variant.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/render/render_form.hpp"
#include "platform/services.hpp"

namespace lumora::host {

namespace {

constexpr const char* kMeta = "form";
constexpr const char* kCache = "lumora.form handles";
constexpr const char* kMethods = "lumora.form methods";

struct FormBox {
  std::shared_ptr<Form> form;
};

FormBox* TestBox(lua_State* L, int index) {
  return static_cast<FormBox*>(luaL_testudata(L, index, kMeta));
}

// --- Lifecycle and layout --------------------------------------------------------

int Show(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:show");
  try {
    form.Show(0);
  } catch (const Failure& failure) {
    ThrowScriptError("form:show", failure);
  }
  return 0;
}

int Hide(lua_State* L) {
  CheckForm(L, 1, "form:hide").Hide();
  return 0;
}

int Unload(lua_State* L) {
  CheckForm(L, 1, "form:unload").Unload();
  return 0;
}

int Resize(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:resize");
  std::string path;
  Control& control = ControlArg(L, 2, form, "form:resize", path);
  const auto width = static_cast<float>(ArgNumber(L, 3, "form:resize", "argument 2 (width)"));
  const auto height = static_cast<float>(ArgNumber(L, 4, "form:resize", "argument 3 (height)"));
  try {
    control.Move(control.Left(), control.Top(), width, height);
  } catch (const Failure& failure) {
    ThrowScriptError("form:resize " + path, failure);
  }
  return 0;
}

int Remove(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:remove");
  std::string path;
  Control& control = ControlArg(L, 2, form, "form:remove", path);
  try {
    form.Remove(control);
  } catch (const Failure& failure) {
    ThrowScriptError("form:remove " + path, failure);
  }
  return 0;
}

int Find(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:find");
  const std::string path = ArgString(L, 2, "form:find", "argument 1 (path)");
  Control* control = form.FindPath(path);
  if (!control) {
    lua_pushnil(L);
    return 1;
  }
  PushObject(L, control->Shared(), path);
  return 1;
}

// --- Events --------------------------------------------------------------------

int On(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:on");
  std::string path;
  Control& control = ControlArg(L, 2, form, "form:on", path);
  const std::string event = ArgString(L, 3, "form:on", "argument 2 (event)");
  ArgFunction(L, 4, "form:on", "argument 3 (handler)");
  FormHost& host = Host(L).HostOf(SharedForm(form));
  lua_pushvalue(L, 4);
  const int ref = luaL_ref(L, LUA_REGISTRYINDEX);
  host.On(control, path, event, ref);
  return 0;
}

int Events(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:events");
  const FormHost& host = Host(L).HostOf(SharedForm(form));
  const auto& log = host.Log();
  lua_createtable(L, static_cast<int>(log.size()), 0);
  for (size_t i = 0; i < log.size(); ++i) {
    const LoggedEvent& e = log[i];
    lua_createtable(L, 0, 4);
    PushObject(L, e.source, e.path);
    lua_setfield(L, -2, "control");
    lua_pushstring(L, e.path.c_str());
    lua_setfield(L, -2, "path");
    lua_pushstring(L, e.name.c_str());
    lua_setfield(L, -2, "name");
    lua_createtable(L, 0, static_cast<int>(e.args.size()));
    for (size_t a = 0; a < e.args.size(); ++a) {
      PushVariant(L, e.args[a]);
      lua_setfield(L, -2, e.names[a].c_str());
    }
    lua_setfield(L, -2, "args");
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  return 1;
}

int ClearEvents(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:clear_events");
  Host(L).HostOf(SharedForm(form)).ClearLog();
  return 0;
}

int Changed(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:changed");
  const std::vector<std::string> names = form.ChangedProperties();
  lua_createtable(L, static_cast<int>(names.size()), 0);
  for (size_t i = 0; i < names.size(); ++i) {
    lua_pushstring(L, names[i].c_str());
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  return 1;
}

// form:menus(): the pop-up menus controls showed, as {control=, menu=, flags=, x=, y=}.
int Menus(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:menus");
  const auto& menus = form.ShownMenus();
  lua_createtable(L, static_cast<int>(menus.size()), 0);
  for (size_t i = 0; i < menus.size(); ++i) {
    const ShownMenu& m = menus[i];
    lua_createtable(L, 0, 5);
    lua_pushstring(L, m.control.c_str());
    lua_setfield(L, -2, "control");
    lua_pushstring(L, m.menu.c_str());
    lua_setfield(L, -2, "menu");
    lua_pushinteger(L, m.flags);
    lua_setfield(L, -2, "flags");
    lua_pushnumber(L, m.x);
    lua_setfield(L, -2, "x");
    lua_pushnumber(L, m.y);
    lua_setfield(L, -2, "y");
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  return 1;
}

// --- The message queue -----------------------------------------------------------

int After(lua_State* L) {
  CheckForm(L, 1, "form:after");
  const int32_t yields = ArgInt32(L, 2, 0, INT32_MAX, "form:after", "argument 1 (yields)");
  ArgFunction(L, 3, "form:after", "argument 2 (function)");
  lua_pushvalue(L, 3);
  const int ref = luaL_ref(L, LUA_REGISTRYINDEX);
  HostState* host = &Host(L);
  ScheduleAfterYields(yields, [host, ref] {
    lua_State* current = host->Current();
    if (!current) return;
    lua_rawgeti(current, LUA_REGISTRYINDEX, ref);
    luaL_unref(current, LUA_REGISTRYINDEX, ref);
    if (host->HasPendingError()) {
      lua_pop(current, 1);
      return;
    }
    std::string error;
    if (!ProtectedCall(current, 0, 0, error, false)) host->SetPendingError(error);
  });
  return 0;
}

int DoEventsMethod(lua_State* L) {
  CheckForm(L, 1, "form:do_events");
  lua_pushinteger(L, DoEvents());
  return 1;
}

// Lets the user work in the form's window until it is closed: the message
// loop runs until the form is unloaded. Without a window presenter nothing
// could close it (error 5).
int WaitClosed(lua_State* L) {
  const std::shared_ptr<Form> form = SharedForm(CheckForm(L, 1, "form:wait_closed"));
  RunMessageLoop([&] { return !form->IsLoaded(); }, "the form's window to be closed");
  return 0;
}

int SetCursor(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:set_cursor_pos");
  const int32_t x = ArgInt32(L, 2, -1000000, 1000000, "form:set_cursor_pos", "argument 1 (x)");
  const int32_t y = ArgInt32(L, 3, -1000000, 1000000, "form:set_cursor_pos", "argument 2 (y)");
  // The form moves on the screen under the pointer, so that later pointer
  // input moves the reported position by the same amounts.
  form.MoveOnScreen(x - form.PointerX(), y - form.PointerY());
  SetCursorPos(x, y);
  return 0;
}

// --- Output ----------------------------------------------------------------------

int Render(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:render");
  const std::string path = ArgString(L, 2, "form:render", "argument 1 (path)");
  try {
    RenderFormPng(form, path);
  } catch (const Failure& failure) {
    ThrowScriptError("form:render " + path, failure);
  }
  return 0;
}

int Save(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:save");
  const std::string path = ArgString(L, 2, "form:save", "argument 1 (path)");
  try {
    SaveFormFile(form, path);
  } catch (const Failure& failure) {
    ThrowScriptError("form:save " + path, failure);
  }
  return 0;
}

// --- The handle ------------------------------------------------------------------

int Index(lua_State* L) {
  FormBox* box = TestBox(L, 1);
  if (lua_type(L, 2) != LUA_TSTRING)
    throw ScriptError("form: members are named by strings, not by a " + TypeNameAt(L, 2));
  lua_getfield(L, LUA_REGISTRYINDEX, kMethods);
  lua_pushvalue(L, 2);
  if (lua_rawget(L, -2) != LUA_TNIL) return 1;
  lua_pop(L, 2);
  const std::string name = lua_tostring(L, 2);
  Form& form = *box->form;
  if (SameName(name, "width") || SameName(name, "height")) {
    lua_pushnumber(L, SameName(name, "width") ? form.ScaleWidth() : form.ScaleHeight());
    return 1;
  }
  try {
    if (Control* control = form.Find(name)) {
      PushObject(L, control->Shared(), control->Name());
      return 1;
    }
    PushVariant(L, form.GetProperty(name), form.Name() + "." + name);
  } catch (const Failure& failure) {
    ThrowScriptError(form.Name() + "." + name, failure);
  }
  return 1;
}

int NewIndex(lua_State* L) {
  FormBox* box = TestBox(L, 1);
  if (lua_type(L, 2) != LUA_TSTRING)
    throw ScriptError("form: members are named by strings, not by a " + TypeNameAt(L, 2));
  const std::string name = lua_tostring(L, 2);
  const std::string member = box->form->Name() + "." + name;
  const Variant value = LuaToVariant(L, 3, member);
  try {
    box->form->SetProperty(name, value);
  } catch (const Failure& failure) {
    ThrowScriptError(member, failure);
  }
  return 0;
}

int Equal(lua_State* L) {
  const FormBox* a = TestBox(L, 1);
  const FormBox* b = TestBox(L, 2);
  lua_pushboolean(L, a && b && a->form == b->form);
  return 1;
}

int ToString(lua_State* L) {
  const std::string text = "form: " + TestBox(L, 1)->form->Name();
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

int Collect(lua_State* L) {
  if (FormBox* box = TestBox(L, 1)) box->~FormBox();
  return 0;
}

}  // namespace

void RegisterForms(lua_State* L) {
  static const luaL_Reg methods[] = {
      {"show", Guarded<Show>},
      {"hide", Guarded<Hide>},
      {"unload", Guarded<Unload>},
      {"resize", Guarded<Resize>},
      {"remove", Guarded<Remove>},
      {"find", Guarded<Find>},
      {"on", Guarded<On>},
      {"events", Guarded<Events>},
      {"clear_events", Guarded<ClearEvents>},
      {"changed", Guarded<Changed>},
      {"menus", Guarded<Menus>},
      {"after", Guarded<After>},
      {"do_events", Guarded<DoEventsMethod>},
      {"wait_closed", Guarded<WaitClosed>},
      {"set_cursor_pos", Guarded<SetCursor>},
      {"render", Guarded<Render>},
      {"save", Guarded<Save>},
      {nullptr, nullptr},
  };
  lua_newtable(L);
  luaL_setfuncs(L, methods, 0);
  AddPlacingMethods(L, lua_gettop(L));
  AddInputMethods(L, lua_gettop(L));
  lua_setfield(L, LUA_REGISTRYINDEX, kMethods);

  RegisterHandleType(
      L, kMeta, kCache,
      {Guarded<Index>, Guarded<NewIndex>, Guarded<Equal>, Guarded<ToString>, Collect});
}

void PushForm(lua_State* L, const std::shared_ptr<Form>& form) {
  if (!form) {
    lua_pushnil(L);
    return;
  }
  Host(L).HostOf(form);  // from now on its controls' events are heard
  lua_getfield(L, LUA_REGISTRYINDEX, kCache);
  lua_pushlightuserdata(L, form.get());
  if (lua_rawget(L, -2) == LUA_TUSERDATA) {
    lua_remove(L, -2);
    return;
  }
  lua_pop(L, 1);
  void* memory = lua_newuserdatauv(L, sizeof(FormBox), 0);
  new (memory) FormBox{form};
  luaL_setmetatable(L, kMeta);
  lua_pushlightuserdata(L, form.get());
  lua_pushvalue(L, -2);
  lua_rawset(L, -4);
  lua_remove(L, -2);
}

std::shared_ptr<Form> SharedForm(Form& form) {
  return std::static_pointer_cast<Form>(form.shared_from_this());
}

std::shared_ptr<Form> TestForm(lua_State* L, int index) {
  const FormBox* box = TestBox(L, index);
  return box ? box->form : nullptr;
}

Form& CheckForm(lua_State* L, int index, const char* function) {
  const FormBox* box = TestBox(L, index);
  if (!box)
    throw ScriptError(std::string(function) + ": expected a form, got " + TypeNameAt(L, index) +
                      " (call form methods with ':')");
  if (!box->form->IsLoaded())
    throw ScriptError(std::string(function) + ": the form " + box->form->Name() + " was unloaded");
  return *box->form;
}

Control& ControlArg(lua_State* L, int index, Form& form, const char* function, std::string& path) {
  if (lua_type(L, index) == LUA_TSTRING) {
    path = lua_tostring(L, index);
    if (Control* control = form.FindPath(path)) return *control;
    throw ScriptError(std::string(function) + ": no control \"" + path + "\" on " + form.Name());
  }
  if (auto* control = dynamic_cast<Control*>(TestObject(L, index).get())) {
    path = ObjectPath(L, index);
    if (control->ParentForm() != &form)
      throw ScriptError(std::string(function) + ": " + path + " is not on " + form.Name());
    return *control;
  }
  throw ScriptError(std::string(function) + ": expected a control or its path, got " +
                    TypeNameAt(L, index));
}

}  // namespace lumora::host
