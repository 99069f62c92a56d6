// The `lumora` table scripts start from: forms, pictures, the error object,
// what the launcher was asked to start, the type library's enumerations by
// name, and a few constants for input.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "frame/type_library.hpp"
#include "host/host_state.hpp"
#include "host/lua/lua_form.hpp"
#include "host/lua/lua_object.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/lua_variant.hpp"
#include "host/lua/script.hpp"
#include "platform/controls/control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"
#include "platform/services.hpp"

namespace lumora::host {

namespace {

// lumora.Form{width=, height=, name=, caption=}: sizes of the client area in twips.
int NewForm(lua_State* L) {
  double width = 9600;
  double height = 7200;
  std::string name;
  std::string caption;
  if (!IsNoneOrNil(L, 1)) {
    ArgTable(L, 1, "lumora.Form", "argument 1");
    lua_pushnil(L);
    while (lua_next(L, 1)) {
      if (lua_type(L, -2) != LUA_TSTRING)
        throw ScriptError("lumora.Form: keys are width, height, name and caption");
      const std::string key = lua_tostring(L, -2);
      if (key == "width" || key == "height") {
        const double twips = ArgNumber(L, -1, "lumora.Form", key.c_str());
        if (twips < 0 || twips > 100000 * kTwipsPerPixel)
          throw ScriptError("lumora.Form: " + key + " must lie between 0 and 1500000 twips");
        (key == "width" ? width : height) = twips;
      } else if (key == "name") {
        name = ArgString(L, -1, "lumora.Form", "name");
      } else if (key == "caption") {
        caption = ArgString(L, -1, "lumora.Form", "caption");
      } else {
        throw ScriptError("lumora.Form: unknown key \"" + key +
                          "\" (width, height, name, caption)");
      }
      lua_pop(L, 1);
    }
  }
  if (name.empty()) {
    for (int i = 1; name.empty() || FindForm(name); ++i) name = "Form" + std::to_string(i);
  } else if (FindForm(name)) {
    throw ScriptError("lumora.Form: a form named \"" + name + "\" is already open");
  }
  auto form = Form::Create(name, static_cast<int32_t>(std::lround(width / double{kTwipsPerPixel})),
                           static_cast<int32_t>(std::lround(height / double{kTwipsPerPixel})));
  if (!caption.empty()) form->Caption(caption);
  PushForm(L, form);
  return 1;
}

int FormByName(lua_State* L) {
  const std::string name = ArgString(L, 1, "lumora.form", "argument 1 (name)");
  PushForm(L, FindForm(name));
  return 1;
}

int LoadPictureFunction(lua_State* L) {
  if (IsNoneOrNil(L, 1)) {
    PushObject(L, std::const_pointer_cast<Picture>(Picture::Empty()), "Picture");
    return 1;
  }
  const std::string path = ArgString(L, 1, "lumora.LoadPicture", "argument 1 (path)");
  PicturePtr picture;
  try {
    picture = LoadPictureFile(path);
  } catch (const Failure& failure) {
    ThrowScriptError("lumora.LoadPicture: " + path, failure);
  }
  PushObject(L, std::const_pointer_cast<Picture>(picture), "Picture");
  return 1;
}

// lumora.decode_budget{document=, process=} sets either budget (in pixels of
// decoded pictures); it returns both as they are then.
int DecodeBudgetFunction(lua_State* L) {
  DecodeBudget budget = GetDecodeBudget();
  if (lua_istable(L, 1)) {
    for (const auto& [key, field] :
         {std::pair{"document", &budget.document}, std::pair{"process", &budget.process}}) {
      lua_getfield(L, 1, key);
      if (!lua_isnil(L, -1)) {
        if (!lua_isinteger(L, -1) || lua_tointeger(L, -1) <= 0)
          throw ScriptError(std::string("lumora.decode_budget: ") + key + " is a positive integer");
        *field = lua_tointeger(L, -1);
      }
      lua_pop(L, 1);
    }
    SetDecodeBudget(budget);
  }
  lua_createtable(L, 0, 2);
  lua_pushinteger(L, budget.document);
  lua_setfield(L, -2, "document");
  lua_pushinteger(L, budget.process);
  lua_setfield(L, -2, "process");
  return 1;
}

int ErrFunction(lua_State* L) {
  lua_createtable(L, 0, 2);
  lua_pushinteger(L, Err().Number());
  lua_setfield(L, -2, "Number");
  lua_pushstring(L, Err().Description().c_str());
  lua_setfield(L, -2, "Description");
  return 1;
}

int ClearErr(lua_State*) {
  Err().Clear();
  return 0;
}

int Launches(lua_State* L) {
  const auto& launches = Host(L).Launches();
  lua_createtable(L, static_cast<int>(launches.size()), 0);
  for (size_t i = 0; i < launches.size(); ++i) {
    const Launch& launch = launches[i];
    lua_createtable(L, static_cast<int>(launch.argv.size()), 1);
    for (size_t a = 0; a < launch.argv.size(); ++a) {
      lua_pushstring(L, launch.argv[a].c_str());
      lua_rawseti(L, -2, static_cast<lua_Integer>(a + 1));
    }
    lua_pushinteger(L, launch.windowStyle);
    lua_setfield(L, -2, "style");
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  return 1;
}

// lumora.members(class): the members of a class's default interface in slot
// order, as {name=, kind="get"|"let"|"set"|"method", dispid=, type=}.
int Members(lua_State* L) {
  const std::string name = ArgString(L, 1, "lumora.members", "argument 1 (class)");
  const ClassInfo* cls = TypeLibrary().FindClass(name);
  if (!cls || !cls->defaultInterface)
    throw ScriptError("lumora.members: no class \"" + name + "\" in the type library");
  const auto& members = cls->defaultInterface->members;
  lua_createtable(L, static_cast<int>(members.size()), 0);
  for (size_t i = 0; i < members.size(); ++i) {
    const MemberInfo& m = members[i];
    lua_createtable(L, 0, 4);
    lua_pushlstring(L, m.name.data(), m.name.size());
    lua_setfield(L, -2, "name");
    lua_pushstring(L, KindName(m.kind));
    lua_setfield(L, -2, "kind");
    lua_pushinteger(L, m.dispid);
    lua_setfield(L, -2, "dispid");
    lua_pushstring(L, TypeWord(m.type).c_str());
    lua_setfield(L, -2, "type");
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  return 1;
}

// lumora.pixel(picture, x, y): the colour of one pixel of a picture as
// 0xRRGGBB (alpha dropped), for checking rendered frames.
int PixelOf(lua_State* L) {
  const auto picture = std::dynamic_pointer_cast<Picture>(TestObject(L, 1));
  if (!picture)
    throw ScriptError("lumora.pixel: argument 1 must be a picture, got " + TypeNameAt(L, 1));
  const Raster& pixels = picture->Pixels();
  const int32_t x =
      ArgInt32(L, 2, 0, std::max(0, pixels.Width() - 1), "lumora.pixel", "argument 2 (x)");
  const int32_t y =
      ArgInt32(L, 3, 0, std::max(0, pixels.Height() - 1), "lumora.pixel", "argument 3 (y)");
  if (pixels.IsEmpty()) throw ScriptError("lumora.pixel: the picture has no pixels");
  lua_pushinteger(L, pixels.At(x, y) & 0xFFFFFFu);
  return 1;
}

// lumora.cursor_pos(): the pointer's screen position GetCursorPos reports.
int CursorPos(lua_State* L) {
  PointApi point;
  GetCursorPos(point);
  lua_pushinteger(L, point.x);
  lua_pushinteger(L, point.y);
  return 2;
}

// lumora.mkdir(path): makes a folder and its parents (present already is
// fine) and returns its absolute path.
int MakeDirectory(lua_State* L) {
  const std::string path = ArgString(L, 1, "lumora.mkdir", "argument 1 (path)");
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw ScriptError("lumora.mkdir: " + path + ": " + error.message());
  const std::string absolute = std::filesystem::weakly_canonical(path, error).string();
  lua_pushstring(L, error ? path.c_str() : absolute.c_str());
  return 1;
}

void SetInteger(lua_State* L, const char* name, lua_Integer value) {
  lua_pushinteger(L, value);
  lua_setfield(L, -2, name);
}

void PushConstants(lua_State* L) {
  for (const EnumInfo& e : TypeLibrary().enums)
    for (const EnumValue& v : e.values) SetInteger(L, std::string(v.name).c_str(), v.value);
  lua_createtable(L, 0, 3);
  SetInteger(L, "Left", kLeftButton);
  SetInteger(L, "Right", kRightButton);
  SetInteger(L, "Middle", kMiddleButton);
  lua_setfield(L, -2, "buttons");
  lua_createtable(L, 0, 3);
  SetInteger(L, "Shift", kShiftMask);
  SetInteger(L, "Ctrl", kCtrlMask);
  SetInteger(L, "Alt", kAltMask);
  lua_setfield(L, -2, "shift");
  lua_createtable(L, 0, 13);
  SetInteger(L, "Back", kKeyBack);
  SetInteger(L, "Tab", kKeyTab);
  SetInteger(L, "Return", kKeyReturn);
  SetInteger(L, "Escape", kKeyEscape);
  SetInteger(L, "Space", kKeySpace);
  SetInteger(L, "PageUp", kKeyPageUp);
  SetInteger(L, "PageDown", kKeyPageDown);
  SetInteger(L, "End", kKeyEnd);
  SetInteger(L, "Home", kKeyHome);
  SetInteger(L, "Left", kKeyLeft);
  SetInteger(L, "Up", kKeyUp);
  SetInteger(L, "Right", kKeyRight);
  SetInteger(L, "Down", kKeyDown);
  lua_setfield(L, -2, "keys");
}

}  // namespace

void OpenLumora(lua_State* L) {
  RegisterObjects(L);
  RegisterForms(L);
  static const luaL_Reg functions[] = {
      {"Form", Guarded<NewForm>},
      {"form", Guarded<FormByName>},
      {"LoadPicture", Guarded<LoadPictureFunction>},
      {"decode_budget", Guarded<DecodeBudgetFunction>},
      {"err", Guarded<ErrFunction>},
      {"clear_err", Guarded<ClearErr>},
      {"launches", Guarded<Launches>},
      {"mkdir", Guarded<MakeDirectory>},
      {"members", Guarded<Members>},
      {"cursor_pos", Guarded<CursorPos>},
      {"pixel", Guarded<PixelOf>},
      {nullptr, nullptr},
  };
  luaL_newlib(L, functions);
  AddLumoraFunctions(L, lua_gettop(L));
  PushConstants(L);
  lua_pushliteral(L, "2.0");
  lua_setfield(L, -2, "version");
  PushNothing(L);
  lua_setfield(L, -2, "Nothing");
  lua_setglobal(L, "lumora");
}

}  // namespace lumora::host
