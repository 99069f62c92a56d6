// Form handles: Lua userdata for forms, with the methods a script drives a
// form by (placing, showing, finding, events, saving, rendering; input in
// lua_input.cpp). Unknown keys reach the form's late-bound properties, so
// form.z1 is the control z1 and form.Caption the caption.
#pragma once

#include <memory>
#include <string>

#include <lua.hpp>

#include "platform/controls/control.hpp"

namespace lumora {
class Form;
}

namespace lumora::host {

class FormHost;

// Creates the handles' metatable, with every form method.
void RegisterForms(lua_State* L);
void PushForm(lua_State* L, const std::shared_ptr<Form>& form);
// The owning pointer of a form the caller holds by reference.
std::shared_ptr<Form> SharedForm(Form& form);
// The form of the handle at index, or null.
std::shared_ptr<Form> TestForm(lua_State* L, int index);
// The form of the handle at index (a ScriptError otherwise); it must be loaded.
Form& CheckForm(lua_State* L, int index, const char* function);

// A control of form named by a path string ("z1.HScroll") or a handle; the
// path names it in messages. A ScriptError when there is none.
Control& ControlArg(lua_State* L, int index, Form& form, const char* function, std::string& path);

// The form methods of the input file, added to the method table.
void AddInputMethods(lua_State* L, int methods);
// form:add, added to the method table.
void AddPlacingMethods(lua_State* L, int methods);

}  // namespace lumora::host
