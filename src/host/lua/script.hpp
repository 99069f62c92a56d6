// Running Lua scripts against the runtime: the `lumora` table, and a script
// file run to completion as `lumora run` and `lumora demo` do.
#pragma once

#include <span>
#include <string>

#include <lua.hpp>

namespace lumora::host {

// Sets the global `lumora` (the state must have its HostState).
void OpenLumora(lua_State* L);
// Adds the functions of other files (form files, contact sheets) to the
// table at index.
void AddLumoraFunctions(lua_State* L, int table);

// Runs a script with arguments (the global `arg`, as the stand-alone
// interpreter sets it, and `...`). A syntax error, a runtime error or an
// error a handler left is printed to stderr as "<command>: file:line:
// message" with a traceback, giving 1; success gives 0.
int RunScriptFile(const std::string& path, std::span<const std::string> args, const char* command);

}  // namespace lumora::host
