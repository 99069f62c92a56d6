#include "host/lua/script_pump.hpp"

#include <string>

#include "host/host_state.hpp"
#include "platform/errors.hpp"

namespace lumora::host {

ScriptPump::ScriptPump(HostState& host) : m_Host(host), m_Previous(SetMessagePump(this)) {}

ScriptPump::~ScriptPump() {
  SetMessagePump(m_Previous);
}

void ScriptPump::Poll() {
  if (m_Host.HasPendingError()) throw ScriptStopped("stopped after a handler failed");
  // Behind a window presenter real input can come, so no loop is stalled.
  if (m_Previous) {
    m_Previous->Poll();
    return;
  }
  if (PendingCount() != 0 || ScheduledCount() != 0) {
    m_IdleYields = 0;
    return;
  }
  if (++m_IdleYields < kStallLimit) return;
  m_IdleYields = 0;
  throw ScriptStopped(
      "a loop yielded " + std::to_string(kStallLimit) +
      " times with no input pending or scheduled: it waits for input the script never sends "
      "(schedule it with form:after, e.g. the key-up that ends a held key)");
}

bool ScriptPump::Wait() {
  if (m_Previous) return m_Previous->Wait();
  Fail(kErrInvalidCall,
       "A script waits for input with none pending or scheduled: it could never come "
       "(schedule it with form:after)");
}

}  // namespace lumora::host
