// Connects clients to the events one object raises, described by its event
// interface: dispatch sinks get the DISPID, the event's name from the
// interface and the arguments by reference; typed handlers are built with
// EventHandlers (event_handlers.hpp). Works on any object that raises its
// events through a platform EventSource.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "frame/type_library.hpp"
#include "platform/event_source.hpp"
#include "platform/object.hpp"

namespace lumora {

// A dispatch sink: a handler may change `args`, and the raiser reads them back.
using DispatchHandler =
    std::function<void(int32_t dispid, std::string_view name, std::span<Variant> args)>;

class ConnectionPoint {
 public:
  // `events` is where `source` raises the events of `eventInterface`. Both
  // must be alive when a client advises; disconnecting and destroying the
  // connection point touch neither (the source holds its sinks weakly).
  ConnectionPoint(Object& source, EventSource& events, const InterfaceInfo& eventInterface);
  ~ConnectionPoint();
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  const InterfaceInfo& Interface() const { return *m_Interface; }
  Object& Source() const { return *m_Source; }

  // Connects a sink and returns its cookie. The connection point keeps the
  // sink alive until Unadvise or its own end; the sink then stops receiving.
  // The sink sees the event's name as the event interface spells it.
  uint32_t Advise(std::shared_ptr<EventSink> sink);
  uint32_t Advise(DispatchHandler handler);
  // Disconnects; an unknown cookie fails with error 5.
  void Unadvise(uint32_t cookie);
  size_t ConnectionCount() const { return m_Connections.size(); }

 private:
  class Connection;

  Object* m_Source;
  EventSource* m_Events;
  const InterfaceInfo* m_Interface;
  uint32_t m_NextCookie = 1;
  std::vector<std::pair<uint32_t, std::shared_ptr<Connection>>> m_Connections;
};

}  // namespace lumora
