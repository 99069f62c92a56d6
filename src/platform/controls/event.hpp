// Typed event slots of a control: the owning control's code connects its
// handlers here (picScroll->MouseMove.Connect(...)). Arguments are passed by
// reference, so a handler may change them and the raiser reads them back.
#pragma once

#include <functional>
#include <vector>

namespace lumora {

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args&...)>;

  void Connect(Handler handler) { m_Handlers.push_back(std::move(handler)); }
  void DisconnectAll() { m_Handlers.clear(); }
  bool Connected() const { return !m_Handlers.empty(); }

  // Calls every handler in the order they were connected. A handler connected
  // while the event is being raised is called from the next raise on.
  void Raise(Args&... args) const {
    const auto handlers = m_Handlers;
    for (const auto& handler : handlers) handler(args...);
  }

 private:
  std::vector<Handler> m_Handlers;
};

}  // namespace lumora
