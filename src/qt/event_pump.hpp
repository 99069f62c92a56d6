// Lets the runtime's yields and waits run Qt's event loop. While any view
// lives it is the thread's message pump: DoEvents (and so the held-button
// and arrow-key loops) handles Qt's pending events, redraws the views and,
// when yields follow each other faster than a set interval, sleeps in Qt's
// event loop for the rest of it, so a loop that yields never spins; a wait
// of the runtime (a modal form) sleeps there until an event comes. Forms
// the runtime shows that no widget shows get windows of their own.
#pragma once

#include <chrono>
#include <vector>

#include "platform/message_queue.hpp"

namespace lumora::qt {

class FormView;

class EventPump final : public MessagePump {
 public:
  // A view begins or ends; the pump is installed with the first view and
  // the previous pump put back with the last.
  static void Attach(FormView& view);
  static void Detach(FormView& view);
  // Whether Qt's events are being handled inside a yield or a wait: input
  // then joins the runtime's queue, which the running yield empties.
  static bool Pumping();
  // The live views.
  static std::vector<FormView*> Views();
  // The shortest time between two yields (default 4 ms).
  static void SetYieldInterval(std::chrono::milliseconds interval);
  static std::chrono::milliseconds YieldInterval();

  void Poll() override;
  bool Wait() override;
};

}  // namespace lumora::qt
