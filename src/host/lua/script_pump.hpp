// The message pump of a script run. No real input ever arrives, so it ends
// waits that could never end: a modal loop with nothing pending or scheduled
// fails (error 5, which the caller may absorb), and a yielding loop that has
// gone round kStallLimit times with nothing pending or scheduled (a held key
// whose release the script never sends) stops the script. Once a Lua handler
// has failed, the next yield stops the script too, so the failure is reported
// without waiting for loops that depended on the handler. Installed over a
// window presenter, it passes polls and waits on to it instead.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "platform/message_queue.hpp"

namespace lumora::host {

class HostState;

// Thrown from a yield to stop the script; not a runtime Failure, so the
// controls' error-ignoring regime does not absorb it.
class ScriptStopped : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ScriptPump final : public MessagePump {
 public:
  static constexpr int64_t kStallLimit = 1000000;

  // Installs itself as the thread's pump; the destructor puts back the previous one.
  explicit ScriptPump(HostState& host);
  ~ScriptPump() override;
  ScriptPump(const ScriptPump&) = delete;
  ScriptPump& operator=(const ScriptPump&) = delete;

  void Poll() override;
  bool Wait() override;

 private:
  HostState& m_Host;
  MessagePump* m_Previous;
  int64_t m_IdleYields = 0;
};

}  // namespace lumora::host
