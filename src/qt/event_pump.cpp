#include "qt/event_pump.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "qt/form_view.hpp"
#include "qt/form_window.hpp"

namespace lumora::qt {

namespace {

using Clock = std::chrono::steady_clock;

struct PumpState {
  EventPump pump;
  MessagePump* previous = nullptr;
  std::vector<QPointer<FormView>> views;
  int depth = 0;  // nesting of Poll and Wait
  Clock::time_point lastPoll{};
  std::chrono::milliseconds interval{4};
};

PumpState& State() {
  thread_local PumpState state;
  return state;
}

// Counts a Poll or Wait in progress for its lifetime.
class PumpingScope {
 public:
  PumpingScope() { ++State().depth; }
  ~PumpingScope() { --State().depth; }
  PumpingScope(const PumpingScope&) = delete;
  PumpingScope& operator=(const PumpingScope&) = delete;
};

// Asks every view to redraw; Qt paints them when it next handles events.
void RedrawViews() {
  for (const QPointer<FormView>& view : State().views)
    if (view) view->Redraw();
}

// Handles Qt's pending events (paints included), then goes on handling
// them as they come, sleeping in between, until the deadline.
void HandleEventsUntil(Clock::time_point deadline) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace

void EventPump::Attach(FormView& view) {
  PumpState& s = State();
  if (s.views.empty()) s.previous = SetMessagePump(&s.pump);
  s.views.emplace_back(&view);
}

void EventPump::Detach(FormView& view) {
  PumpState& s = State();
  std::erase_if(s.views, [&](const QPointer<FormView>& v) { return !v || v.data() == &view; });
  if (s.views.empty() && CurrentMessagePump() == &s.pump) SetMessagePump(s.previous);
}

std::vector<FormView*> EventPump::Views() {
  std::vector<FormView*> views;
  for (const QPointer<FormView>& view : State().views)
    if (view) views.push_back(view.data());
  return views;
}

bool EventPump::Pumping() {
  return State().depth > 0;
}

void EventPump::SetYieldInterval(std::chrono::milliseconds interval) {
  State().interval = std::max(interval, std::chrono::milliseconds{0});
}

std::chrono::milliseconds EventPump::YieldInterval() {
  return State().interval;
}

void EventPump::Poll() {
  PumpState& s = State();
  const PumpingScope pumping;
  FormWindow::Sync();
  RedrawViews();
  // Yields closer together than the interval wait for the rest of it.
  HandleEventsUntil(s.lastPoll + s.interval);
  s.lastPoll = Clock::now();
}

bool EventPump::Wait() {
  const PumpingScope pumping;
  FormWindow::Sync();
  const bool anyShown =
      std::any_of(State().views.begin(), State().views.end(),
                  [](const QPointer<FormView>& v) { return v && v->isVisible(); });
  if (!anyShown) return false;
  RedrawViews();
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

}  // namespace lumora::qt
