#include "host/lua/lua_events.hpp"

#include <lua.hpp>

#include "frame/connection_point.hpp"
#include "frame/type_library.hpp"
#include "host/host_state.hpp"
#include "host/lua/lua_object.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/lua_variant.hpp"
#include "platform/controls/control.hpp"
#include "platform/errors.hpp"
#include "platform/event_source.hpp"
#include "platform/form/form.hpp"

namespace lumora::host {

namespace {

// Argument names of the runtime's own events (controls without an event
// interface in the type library).
std::vector<std::string> StandardNames(std::string_view event, size_t count) {
  std::vector<std::string> names;
  if (SameName(event, "MouseDown") || SameName(event, "MouseMove") || SameName(event, "MouseUp"))
    names = {"Button", "Shift", "X", "Y"};
  else if (SameName(event, "KeyDown") || SameName(event, "KeyUp"))
    names = {"KeyCode", "Shift"};
  else if (SameName(event, "KeyPress"))
    names = {"KeyAscii"};
  else if (SameName(event, "Click") || SameName(event, "DblClick"))
    names = {"Index"};
  names.resize(count);
  for (size_t i = 0; i < count; ++i)
    if (names[i].empty()) names[i] = "Arg" + std::to_string(i + 1);
  return names;
}

const InterfaceInfo* EventInterfaceOf(const Control& control) {
  const ClassInfo* cls = TypeLibrary().FindClass(control.TypeName());
  return cls ? cls->defaultSource : nullptr;
}

}  // namespace

struct FormHost::Listener {
  std::weak_ptr<Control> control;
  const Control* address = nullptr;
  std::string path;
  const InterfaceInfo* events = nullptr;
  std::unique_ptr<ConnectionPoint> point;
  std::shared_ptr<EventSink> sink;
  std::vector<std::pair<std::string, int>> handlers;  // event name, function reference
};

namespace {

class Sink final : public EventSink {
 public:
  explicit Sink(std::function<void(std::string_view, std::span<Variant>)> heard)
      : m_Heard(std::move(heard)) {}
  void OnEvent(Object&, int32_t, std::string_view name, std::span<Variant> args) override {
    m_Heard(name, args);
  }

 private:
  std::function<void(std::string_view, std::span<Variant>)> m_Heard;
};

}  // namespace

FormHost::FormHost(HostState& host, std::shared_ptr<Form> form)
    : m_Host(host), m_Form(std::move(form)) {}

FormHost::~FormHost() = default;

FormHost::Listener& FormHost::ListenerFor(Control& control, const std::string& path) {
  for (auto& listener : m_Listeners)
    if (listener->address == &control && !listener->control.expired()) return *listener;
  auto listener = std::make_unique<Listener>();
  Listener& l = *listener;
  l.control = std::static_pointer_cast<Control>(control.shared_from_this());
  l.address = &control;
  l.path = path;
  l.events = EventInterfaceOf(control);
  if (l.events) {
    l.point = std::make_unique<ConnectionPoint>(control, control.Events(), *l.events);
    l.point->Advise([this, &l](int32_t, std::string_view name, std::span<Variant> args) {
      Heard(l, name, args);
    });
  } else {
    l.sink = std::make_shared<Sink>(
        [this, &l](std::string_view name, std::span<Variant> args) { Heard(l, name, args); });
    control.Events().Advise(l.sink);
  }
  m_Listeners.push_back(std::move(listener));
  return l;
}

void FormHost::Listen(Control& control, const std::string& path) {
  ListenerFor(control, path);
}

void FormHost::ListenToPlaced() {
  for (const ControlPtr& control : m_Form->Controls()) Listen(*control, control->Name());
}

void FormHost::On(Control& control, const std::string& path, const std::string& event,
                  int functionRef) {
  Listener& listener = ListenerFor(control, path);
  if (listener.events && !listener.events->Find(event))
    throw ScriptError(path + " (" + control.TypeName() + ") has no event \"" + event + "\"");
  listener.handlers.emplace_back(event, functionRef);
}

void FormHost::ClearLog() {
  m_Log.clear();
  ++m_LogGeneration;
}

void FormHost::Heard(Listener& listener, std::string_view name, std::span<Variant> args) {
  // Called from inside the runtime: nothing may be thrown back into it.
  try {
    LoggedEvent event;
    event.source = listener.control.lock();
    event.path = listener.path;
    event.name = std::string(name);
    const MemberInfo* info = listener.events ? listener.events->Find(name) : nullptr;
    if (info && info->params.size() == args.size()) {
      for (const ParamInfo& p : info->params) event.names.emplace_back(p.name);
    } else {
      event.names = StandardNames(name, args.size());
    }
    event.args.assign(args.begin(), args.end());
    const size_t entry = m_Log.size();
    const uint64_t generation = m_LogGeneration;
    m_Log.push_back(event);
    RunHandlers(listener, event, args);
    if (generation == m_LogGeneration && entry < m_Log.size())
      m_Log[entry].args.assign(args.begin(), args.end());
  } catch (const std::exception& error) {
    m_Host.SetPendingError(error.what());
  }
}

void FormHost::RunHandlers(Listener& listener, const LoggedEvent& event, std::span<Variant> args) {
  lua_State* L = m_Host.Current();
  if (!L || m_Host.HasPendingError()) return;
  std::vector<int> refs;
  for (const auto& [name, ref] : listener.handlers)
    if (SameName(name, event.name)) refs.push_back(ref);
  if (refs.empty()) return;

  const std::string where = event.path + "." + event.name;
  const int base = lua_gettop(L);
  lua_checkstack(L, 8);
  lua_createtable(L, 0, static_cast<int>(args.size()));
  const int table = lua_gettop(L);
  for (size_t i = 0; i < args.size(); ++i) {
    lua_pushstring(L, event.names[i].c_str());
    PushVariant(L, args[i]);
    lua_rawset(L, table);
  }
  for (int ref : refs) {
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    lua_pushvalue(L, table);
    PushObject(L, event.source, event.path);
    std::string error;
    if (!ProtectedCall(L, 2, 0, error, false)) {
      m_Host.SetPendingError(error);
      lua_settop(L, base);
      return;
    }
  }
  // Arguments are by reference: read back what the handlers left.
  try {
    for (size_t i = 0; i < args.size(); ++i) {
      lua_pushstring(L, event.names[i].c_str());
      lua_rawget(L, table);
      const std::string what = where + " handler's args." + event.names[i];
      const Variant left = LuaToVariant(L, -1, what);
      lua_pop(L, 1);
      try {
        args[i] = ConvertLike(args[i], left);
      } catch (const Failure& failure) {
        ThrowScriptError(what, failure);
      }
    }
  } catch (...) {
    lua_settop(L, base);
    throw;
  }
  lua_settop(L, base);
}

}  // namespace lumora::host
