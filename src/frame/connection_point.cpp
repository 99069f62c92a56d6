#include "frame/connection_point.hpp"

#include <algorithm>

#include "platform/errors.hpp"

namespace lumora {

// What the source's EventSource holds (weakly): names each event from the
// interface and hands it to the client.
class ConnectionPoint::Connection final : public EventSink {
 public:
  Connection(const InterfaceInfo& iface, std::shared_ptr<EventSink> sink, DispatchHandler handler)
      : m_Interface(&iface), m_Sink(std::move(sink)), m_Handler(std::move(handler)) {}

  void OnEvent(Object& source, int32_t dispid, std::string_view name,
               std::span<Variant> args) override {
    // The raiser may pass any name (or none); clients see the published one.
    if (const MemberInfo* event = m_Interface->FindDispid(dispid)) name = event->name;
    if (m_Sink) m_Sink->OnEvent(source, dispid, name, args);
    if (m_Handler) m_Handler(dispid, name, args);
  }

 private:
  const InterfaceInfo* m_Interface;
  std::shared_ptr<EventSink> m_Sink;
  DispatchHandler m_Handler;
};

ConnectionPoint::ConnectionPoint(Object& source, EventSource& events,
                                 const InterfaceInfo& eventInterface)
    : m_Source(&source), m_Events(&events), m_Interface(&eventInterface) {}

ConnectionPoint::~ConnectionPoint() = default;

uint32_t ConnectionPoint::Advise(std::shared_ptr<EventSink> sink) {
  if (!sink) Fail(kErrInvalidCall, "Advise: no sink given");
  auto connection = std::make_shared<Connection>(*m_Interface, std::move(sink), nullptr);
  m_Events->Advise(connection);
  m_Connections.emplace_back(m_NextCookie, std::move(connection));
  return m_NextCookie++;
}

uint32_t ConnectionPoint::Advise(DispatchHandler handler) {
  if (!handler) Fail(kErrInvalidCall, "Advise: no handler given");
  auto connection = std::make_shared<Connection>(*m_Interface, nullptr, std::move(handler));
  m_Events->Advise(connection);
  m_Connections.emplace_back(m_NextCookie, std::move(connection));
  return m_NextCookie++;
}

void ConnectionPoint::Unadvise(uint32_t cookie) {
  auto it = std::ranges::find(m_Connections, cookie, [](const auto& c) { return c.first; });
  if (it == m_Connections.end())
    Fail(kErrInvalidCall, "Unadvise: no connection with cookie " + std::to_string(cookie));
  m_Connections.erase(it);
}

}  // namespace lumora
