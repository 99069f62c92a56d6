// What `lumora run` keeps beside the Lua state: the Lua thread now calling
// into the runtime, an error a Lua event handler left to be raised, the
// programs the launcher was asked to start, and one record per form the
// script reached (its event log and handlers).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <lua.hpp>

#include "platform/services.hpp"

namespace lumora {
class Form;
}

namespace lumora::host {

class FormHost;

// One program the runtime asked to start.
struct Launch {
  std::vector<std::string> argv;
  int16_t windowStyle = 0;
};

class HostState {
 public:
  // Installs a launcher that records and starts nothing.
  HostState();
  // Drops every form record (so no event reaches Lua any more), clears the
  // message queue, unloads the forms and restores the launcher.
  ~HostState();
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;

  // The Lua thread whose C function is running (event handlers run on it).
  lua_State* Current() const { return m_Threads.empty() ? nullptr : m_Threads.back(); }
  void Enter(lua_State* L) { m_Threads.push_back(L); }
  void Leave() { m_Threads.pop_back(); }

  // The first error a Lua handler raised, until a host function returning to
  // Lua raises it; handlers do not run while one is pending.
  bool HasPendingError() const { return !m_PendingError.empty(); }
  void SetPendingError(std::string message);
  std::string TakePendingError();

  const std::vector<Launch>& Launches() const { return m_Launches; }

  // The record of a form, made on first use (listening to its placed controls).
  FormHost& HostOf(const std::shared_ptr<Form>& form);

 private:
  std::vector<lua_State*> m_Threads;
  std::string m_PendingError;
  std::vector<Launch> m_Launches;
  Launcher m_PreviousLauncher;
  std::map<const Form*, std::unique_ptr<FormHost>> m_Forms;
};

// Marks L as the running Lua thread for its lifetime.
class CurrentThread {
 public:
  CurrentThread(HostState& host, lua_State* L) : m_Host(host) { host.Enter(L); }
  ~CurrentThread() { m_Host.Leave(); }
  CurrentThread(const CurrentThread&) = delete;
  CurrentThread& operator=(const CurrentThread&) = delete;

 private:
  HostState& m_Host;
};

}  // namespace lumora::host
