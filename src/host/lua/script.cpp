#include "host/lua/script.hpp"

#include <cstdio>

#include "about/about_box.hpp"
#include "host/host_state.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/script_pump.hpp"
#include "platform/errors.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::host {

namespace {

void PushArguments(lua_State* L, const std::string& path, std::span<const std::string> args) {
  lua_createtable(L, static_cast<int>(args.size()), 1);
  lua_pushstring(L, path.c_str());
  lua_rawseti(L, -2, 0);
  for (size_t i = 0; i < args.size(); ++i) {
    lua_pushstring(L, args[i].c_str());
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
  lua_setglobal(L, "arg");
}

// Modules next to the script load with require.
void AddScriptFolderToPath(lua_State* L, const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  lua_getglobal(L, "package");
  lua_getfield(L, -1, "path");
  const std::string searched = folder + "/?.lua;" + lua_tostring(L, -1);
  lua_pop(L, 1);
  lua_pushstring(L, searched.c_str());
  lua_setfield(L, -2, "path");
  lua_pop(L, 1);
}

}  // namespace

int RunScriptFile(const std::string& path, std::span<const std::string> args, const char* command) {
  UseRendererTextMetrics();
  InstallAboutBox();
  // The host state goes first (it unloads the forms and drops the event
  // handlers), then the Lua state.
  LuaState lua;
  HostState host;
  ScriptPump pump(host);
  lua_State* L = lua.get();
  SetHost(L, &host);
  OpenLumora(L);
  PushArguments(L, path, args);
  AddScriptFolderToPath(L, path);

  if (luaL_loadfilex(L, path.c_str(), "t") != LUA_OK) {
    std::fprintf(stderr, "%s: %s\n", command, Printable(ErrorText(L, -1), true).c_str());
    return 1;
  }
  for (const std::string& a : args) lua_pushstring(L, a.c_str());
  std::string error;
  bool ok = false;
  {
    CurrentThread current(host, L);
    ok = ProtectedCall(L, static_cast<int>(args.size()), 0, error);
  }
  if (ok && host.HasPendingError()) {
    ok = false;
    error = host.TakePendingError();
  }
  if (!ok) {
    std::fprintf(stderr, "%s: %s\n", command, Printable(error, true).c_str());
    return 1;
  }
  return 0;
}

}  // namespace lumora::host
