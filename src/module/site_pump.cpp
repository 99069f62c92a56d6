#include "module/site_pump.hpp"

#include <ucontext.h>

#include <cstddef>
#include <memory>

#include "platform/message_queue.hpp"

// AddressSanitizer must be told when the stack changes under it.
#if defined(__SANITIZE_ADDRESS__)
#define LUMORA_FIBER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMORA_FIBER_ASAN 1
#endif
#endif
#ifdef LUMORA_FIBER_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace lumora {

namespace {

using Clock = std::chrono::steady_clock;

// Handlers may call back into the host (event sinks), so the stack is
// generous; it is only reserved, and touched as it is used.
constexpr size_t kStackBytes = size_t{8} << 20;

void StartSwitch(void** fakeStack, const void* bottom, size_t size) {
#ifdef LUMORA_FIBER_ASAN
  __sanitizer_start_switch_fiber(fakeStack, bottom, size);
#else
  (void)fakeStack, (void)bottom, (void)size;
#endif
}

void FinishSwitch(void* fakeStack, const void** bottom, size_t* size) {
#ifdef LUMORA_FIBER_ASAN
  __sanitizer_finish_switch_fiber(fakeStack, bottom, size);
#else
  (void)fakeStack, (void)bottom, (void)size;
#endif
}

bool WorkLeft() {
  return PendingCount() > 0 || ScheduledCount() > 0;
}

// The thread's handler stack. While it runs it is the thread's message pump,
// so that every yield inside a handler passes through Poll.
class Fiber final : public MessagePump {
 public:
  bool Run(Clock::time_point deadline) {
    m_Deadline = deadline;
    if (m_Inside) {
      // Pumped from inside a handler (a host's event sink): dispatch here.
      while (WorkLeft() && !Expired()) DoEvents();
      return !WorkLeft();
    }
    if (!m_Started) {
      if (!WorkLeft()) return true;
      if (!m_Stack) m_Stack = std::make_unique_for_overwrite<char[]>(kStackBytes);
      if (::getcontext(&m_Fiber) != 0) return false;
      m_Fiber.uc_stack.ss_sp = m_Stack.get();
      m_Fiber.uc_stack.ss_size = kStackBytes;
      m_Fiber.uc_link = &m_Host;
      ::makecontext(&m_Fiber, &Fiber::Entry, 0);
      m_Started = true;
    }
    MessagePump* previous = SetMessagePump(this);
    m_Previous = previous;
    void* fake = nullptr;
    StartSwitch(&fake, m_Stack.get(), kStackBytes);
    ::swapcontext(&m_Host, &m_Fiber);
    FinishSwitch(fake, nullptr, nullptr);
    SetMessagePump(previous);
    return !m_Started && !WorkLeft();
  }

  void Poll() override {
    if (m_Previous) m_Previous->Poll();
    // The pump's own DoEvents dispatches; a yield inside a handler may wait.
    if (m_Outer) {
      m_Outer = false;
      return;
    }
    if (m_Inside && Expired()) ToHost();
  }

  bool Wait() override {
    // A modal loop with nothing to do waits for the host's next pump.
    if (!m_Inside) return m_Previous && m_Previous->Wait();
    ToHost();
    return true;
  }

 private:
  bool Expired() const { return Clock::now() >= m_Deadline; }

  static void Entry();

  void Work() {
    try {
      do {
        m_Outer = true;
        DoEvents();
      } while (WorkLeft() && !Expired());
    } catch (...) {
      // DoEvents records a handler's failure; nothing else may leave the stack.
    }
    m_Outer = false;
  }

  // Suspends the handler and returns to the host's pump call.
  void ToHost() {
    void* fake = nullptr;
    StartSwitch(&fake, m_HostBottom, m_HostSize);
    m_Inside = false;
    ::swapcontext(&m_Fiber, &m_Host);
    m_Inside = true;
    FinishSwitch(fake, &m_HostBottom, &m_HostSize);
  }

  ucontext_t m_Host{};
  ucontext_t m_Fiber{};
  std::unique_ptr<char[]> m_Stack;
  const void* m_HostBottom = nullptr;
  size_t m_HostSize = 0;
  MessagePump* m_Previous = nullptr;
  Clock::time_point m_Deadline{};
  bool m_Started = false;  // the stack holds a handler run, finished or not
  bool m_Inside = false;   // running on the handler stack now
  bool m_Outer = false;    // the next Poll is the pump's own DoEvents
};

thread_local Fiber g_Fiber;

void Fiber::Entry() {
  Fiber& self = g_Fiber;
  FinishSwitch(nullptr, &self.m_HostBottom, &self.m_HostSize);
  self.m_Inside = true;
  self.Work();
  self.m_Inside = false;
  self.m_Started = false;
  // Returning switches to the host (uc_link); this stack is done with.
  StartSwitch(nullptr, self.m_HostBottom, self.m_HostSize);
}

}  // namespace

bool PumpFor(std::chrono::milliseconds budget) {
  return g_Fiber.Run(Clock::now() + budget);
}

}  // namespace lumora
