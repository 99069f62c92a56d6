// The embedded Lua interpreter of `lumora run`: an owning handle for a Lua
// state, and the bridge that lets C++ code (which may throw) serve as Lua
// functions without ever letting a Lua error jump over a C++ destructor.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include <lua.hpp>

#include "platform/errors.hpp"

namespace lumora::host {

class HostState;

// An error in how a script used the host (a wrong argument, an unknown name).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A runtime failure inside a host call, reworded to name the call or member.
[[noreturn]] void ThrowScriptError(const std::string& where, const Failure& failure);

// Owns a lua_State with the standard libraries, minus the ones that start
// programs (os.execute, io.popen): scripts reach programs only through the
// runtime's launcher.
class LuaState {
 public:
  LuaState();
  ~LuaState();
  LuaState(const LuaState&) = delete;
  LuaState& operator=(const LuaState&) = delete;

  lua_State* get() const { return m_State; }

 private:
  lua_State* m_State;
};

// The host state a Lua state serves (kept in the state's extra space).
void SetHost(lua_State* L, HostState* host);
HostState& Host(lua_State* L);

// A Lua function implemented in C++. It must not call Lua API functions that
// raise errors (luaL_check*, lua_error); it throws instead.
using LuaBody = int (*)(lua_State* L);

// Runs body as a Lua C function: a thrown Failure, ScriptError or other
// exception becomes a Lua error prefixed with the script's file and line,
// and an error a Lua event handler left pending is raised once body returns.
int CallGuarded(lua_State* L, LuaBody body);
template <LuaBody Body>
int Guarded(lua_State* L) {
  return CallGuarded(L, Body);
}

// Calls the function below nargs arguments on the stack, protected, with a
// traceback. On success leaves nresults values and returns true; on failure
// pops everything, stores the message (with traceback) in error and returns
// false.
bool ProtectedCall(lua_State* L, int nargs, int nresults, std::string& error,
                   bool traceback = true);

// The message of a Lua error value (strings as they are, other values named).
std::string ErrorText(lua_State* L, int index);

// "file:line:" of the Lua code that called the running C function, or "".
std::string CallerPosition(lua_State* L);

// --- Arguments: each throws ScriptError naming the function and argument ----
bool IsNoneOrNil(lua_State* L, int index);
std::string ArgString(lua_State* L, int index, const char* function, const char* what);
double ArgNumber(lua_State* L, int index, const char* function, const char* what);
int64_t ArgInteger(lua_State* L, int index, const char* function, const char* what);
int64_t OptInteger(lua_State* L, int index, int64_t fallback, const char* function,
                   const char* what);
void ArgFunction(lua_State* L, int index, const char* function, const char* what);
void ArgTable(lua_State* L, int index, const char* function, const char* what);
// Fails with a ScriptError unless the value at index is in [lo, hi].
int32_t ArgInt32(lua_State* L, int index, int32_t lo, int32_t hi, const char* function,
                 const char* what);
int32_t OptInt32(lua_State* L, int index, int32_t fallback, int32_t lo, int32_t hi,
                 const char* function, const char* what);

// The Lua type name of a value ("nil", "string", "control").
std::string TypeNameAt(lua_State* L, int index);

// The metamethods of a handle type: userdata that stands for a C++ object.
struct HandleMetamethods {
  lua_CFunction index;
  lua_CFunction newIndex;
  lua_CFunction equal;
  lua_CFunction toString;
  lua_CFunction collect;
};
// Registers the handle type's metatable under meta, and a table under cache
// in the registry whose values are held weakly: one userdata per live object.
void RegisterHandleType(lua_State* L, const char* meta, const char* cache,
                        const HandleMetamethods& methods);

}  // namespace lumora::host
