#include "host/lua/lua_state.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "host/host_state.hpp"
#include "host/lua/script_pump.hpp"
#include "platform/errors.hpp"

namespace lumora::host {

namespace {

std::string BadArgument(const char* function, const char* what, const std::string& detail) {
  return std::string(function) + ": " + what + " " + detail;
}

[[noreturn]] void Expected(lua_State* L, int index, const char* function, const char* what,
                           const char* kind) {
  throw ScriptError(BadArgument(function, what,
                                std::string("must be ") + kind + ", got " + TypeNameAt(L, index)));
}

int Traceback(lua_State* L) {
  const char* message = lua_tostring(L, 1);
  if (!message) message = lua_pushfstring(L, "(error object is a %s value)", luaL_typename(L, 1));
  luaL_traceback(L, L, message, 1);
  return 1;
}

}  // namespace

void ThrowScriptError(const std::string& where, const Failure& failure) {
  throw ScriptError(where + ": " + WithNumber(failure));
}

LuaState::LuaState() : m_State(luaL_newstate()) {
  if (!m_State) throw std::bad_alloc();
  luaL_openlibs(m_State);
  // Programs start only through the runtime's launcher.
  lua_getglobal(m_State, "os");
  lua_pushnil(m_State);
  lua_setfield(m_State, -2, "execute");
  lua_pop(m_State, 1);
  lua_getglobal(m_State, "io");
  lua_pushnil(m_State);
  lua_setfield(m_State, -2, "popen");
  lua_pop(m_State, 1);
}

LuaState::~LuaState() {
  lua_close(m_State);
}

void SetHost(lua_State* L, HostState* host) {
  std::memcpy(lua_getextraspace(L), &host, sizeof host);
}

HostState& Host(lua_State* L) {
  HostState* host = nullptr;
  std::memcpy(&host, lua_getextraspace(L), sizeof host);
  return *host;
}

std::string CallerPosition(lua_State* L) {
  luaL_where(L, 1);
  std::string where = lua_tostring(L, -1);
  lua_pop(L, 1);
  return where;
}

int CallGuarded(lua_State* L, LuaBody body) {
  HostState& host = Host(L);
  {
    // Everything with a destructor lives in this block, which ends before
    // lua_error jumps.
    std::string message;
    {
      CurrentThread current(host, L);
      try {
        const int results = body(L);
        if (!host.HasPendingError()) return results;
        message = host.TakePendingError();
      } catch (const Failure& failure) {
        message = CallerPosition(L) + WithNumber(failure);
      } catch (const ScriptStopped& stopped) {
        message = CallerPosition(L) + stopped.what();
      } catch (const ScriptError& error) {
        message = CallerPosition(L) + error.what();
      } catch (const std::bad_alloc&) {
        message = CallerPosition(L) + "out of memory";
      } catch (const std::exception& error) {
        message = CallerPosition(L) + error.what();
      }
    }
    // A handler's failure came first: it is the one to report.
    if (host.HasPendingError()) message = host.TakePendingError();
    lua_pushlstring(L, message.data(), message.size());
  }
  return lua_error(L);
}

bool ProtectedCall(lua_State* L, int nargs, int nresults, std::string& error, bool traceback) {
  const int function = lua_gettop(L) - nargs;
  if (traceback) {
    lua_pushcfunction(L, Traceback);
    lua_insert(L, function);
  }
  const int status = lua_pcall(L, nargs, nresults, traceback ? function : 0);
  if (status == LUA_OK) {
    if (traceback) lua_remove(L, function);
    return true;
  }
  error = ErrorText(L, -1);
  lua_pop(L, traceback ? 2 : 1);
  return false;
}

std::string ErrorText(lua_State* L, int index) {
  if (lua_type(L, index) == LUA_TSTRING) return lua_tostring(L, index);
  return std::string("(error object is a ") + luaL_typename(L, index) + " value)";
}

std::string TypeNameAt(lua_State* L, int index) {
  if (lua_type(L, index) == LUA_TUSERDATA && lua_getmetatable(L, index)) {
    lua_getfield(L, -1, "__name");
    std::string name = lua_type(L, -1) == LUA_TSTRING ? lua_tostring(L, -1) : "userdata";
    lua_pop(L, 2);
    return name;
  }
  return luaL_typename(L, index);
}

bool IsNoneOrNil(lua_State* L, int index) {
  return lua_type(L, index) <= LUA_TNIL;
}

std::string ArgString(lua_State* L, int index, const char* function, const char* what) {
  if (lua_type(L, index) != LUA_TSTRING) Expected(L, index, function, what, "a string");
  size_t length = 0;
  const char* text = lua_tolstring(L, index, &length);
  return std::string(text, length);
}

double ArgNumber(lua_State* L, int index, const char* function, const char* what) {
  if (lua_type(L, index) != LUA_TNUMBER) Expected(L, index, function, what, "a number");
  return lua_tonumber(L, index);
}

int64_t ArgInteger(lua_State* L, int index, const char* function, const char* what) {
  if (lua_type(L, index) != LUA_TNUMBER) Expected(L, index, function, what, "an integer");
  lua_Integer value = 0;
  if (lua_isinteger(L, index)) {
    value = lua_tointeger(L, index);
  } else {
    const double number = lua_tonumber(L, index);
    if (!std::isfinite(number) || number != std::floor(number) || std::fabs(number) > 9.0e15)
      Expected(L, index, function, what, "an integer");
    value = static_cast<lua_Integer>(number);
  }
  return value;
}

int64_t OptInteger(lua_State* L, int index, int64_t fallback, const char* function,
                   const char* what) {
  return IsNoneOrNil(L, index) ? fallback : ArgInteger(L, index, function, what);
}

int32_t ArgInt32(lua_State* L, int index, int32_t lo, int32_t hi, const char* function,
                 const char* what) {
  const int64_t value = ArgInteger(L, index, function, what);
  if (value < lo || value > hi)
    throw ScriptError(BadArgument(function, what,
                                  "must lie between " + std::to_string(lo) + " and " +
                                      std::to_string(hi) + ", got " + std::to_string(value)));
  return static_cast<int32_t>(value);
}

int32_t OptInt32(lua_State* L, int index, int32_t fallback, int32_t lo, int32_t hi,
                 const char* function, const char* what) {
  return IsNoneOrNil(L, index) ? fallback : ArgInt32(L, index, lo, hi, function, what);
}

void ArgFunction(lua_State* L, int index, const char* function, const char* what) {
  if (lua_type(L, index) != LUA_TFUNCTION) Expected(L, index, function, what, "a function");
}

void ArgTable(lua_State* L, int index, const char* function, const char* what) {
  if (lua_type(L, index) != LUA_TTABLE) Expected(L, index, function, what, "a table");
}

void RegisterHandleType(lua_State* L, const char* meta, const char* cache,
                        const HandleMetamethods& methods) {
  luaL_newmetatable(L, meta);
  const std::pair<const char*, lua_CFunction> entries[] = {
      {"__index", methods.index},       {"__newindex", methods.newIndex}, {"__eq", methods.equal},
      {"__tostring", methods.toString}, {"__gc", methods.collect},
  };
  for (const auto& [name, function] : entries) {
    lua_pushcfunction(L, function);
    lua_setfield(L, -2, name);
  }
  lua_pop(L, 1);
  lua_newtable(L);
  lua_createtable(L, 0, 1);
  lua_pushliteral(L, "v");
  lua_setfield(L, -2, "__mode");
  lua_setmetatable(L, -2);
  lua_setfield(L, LUA_REGISTRYINDEX, cache);
}

}  // namespace lumora::host
