// Turns a signal sent to the process into Presenter::Wake(code): a thread
// waits for the signal (blocked everywhere else) and wakes the presenter's
// thread, which handles it as a message. Make it before any other thread
// starts, so that every thread inherits the blocked signal.
#pragma once

#include <atomic>
#include <csignal>
#include <cstdint>
#include <thread>

namespace lumora::window {

class SignalWake {
 public:
  SignalWake(int signal, int32_t code);
  // Stops the waiting thread; the signal stays blocked in this thread.
  ~SignalWake();
  SignalWake(const SignalWake&) = delete;
  SignalWake& operator=(const SignalWake&) = delete;

 private:
  int m_Signal;
  std::atomic<bool> m_Stop{false};
  std::thread m_Thread;
};

}  // namespace lumora::window
