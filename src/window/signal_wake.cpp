#include "window/signal_wake.hpp"

#include <pthread.h>

#include "window/presenter.hpp"

namespace lumora::window {

SignalWake::SignalWake(int signal, int32_t code) : m_Signal(signal) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  m_Thread = std::thread([this, set, code] {
    for (;;) {
      int received = 0;
      if (sigwait(&set, &received) != 0) continue;
      if (m_Stop) return;
      Presenter::Wake(code);
    }
  });
}

SignalWake::~SignalWake() {
  m_Stop = true;
  pthread_kill(m_Thread.native_handle(), m_Signal);
  m_Thread.join();
}

}  // namespace lumora::window
