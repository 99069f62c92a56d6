// The script's side of one form: the controls whose events it hears, the Lua
// handlers connected to those events (arguments by reference: what a handler
// leaves in its table flows back to the raiser), and the log of every event
// heard, in the order raised.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/object.hpp"

namespace lumora {
class Control;
class Form;
}  // namespace lumora

namespace lumora::host {

class HostState;

struct LoggedEvent {
  ObjectPtr source;
  std::string path;  // how the script names the source ("z1", "z1.HScroll")
  std::string name;
  std::vector<std::string> names;  // argument names
  std::vector<Variant> args;       // as the script's handlers left them
};

class FormHost {
 public:
  FormHost(HostState& host, std::shared_ptr<Form> form);
  ~FormHost();
  FormHost(const FormHost&) = delete;
  FormHost& operator=(const FormHost&) = delete;

  const std::shared_ptr<Form>& GetForm() const { return m_Form; }

  // Hears the events of control from now on (once per control). Controls of
  // a type-library class are heard through their connection point.
  void Listen(Control& control, const std::string& path);
  // Hears every control placed on the form.
  void ListenToPlaced();
  // Connects a Lua function (a registry reference) to one event of a control
  // (listening to it if need be). A class with an event interface must name
  // the event in it: otherwise a ScriptError.
  void On(Control& control, const std::string& path, const std::string& event, int functionRef);

  const std::vector<LoggedEvent>& Log() const { return m_Log; }
  void ClearLog();

 private:
  struct Listener;
  void Heard(Listener& listener, std::string_view name, std::span<Variant> args);
  void RunHandlers(Listener& listener, const LoggedEvent& event, std::span<Variant> args);
  Listener& ListenerFor(Control& control, const std::string& path);

  HostState& m_Host;
  std::shared_ptr<Form> m_Form;
  std::vector<std::unique_ptr<Listener>> m_Listeners;
  std::vector<LoggedEvent> m_Log;
  uint64_t m_LogGeneration = 0;  // bumped by ClearLog
};

}  // namespace lumora::host
