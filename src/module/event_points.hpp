// The connection points a control offers C clients: a container holding one
// point, for the control's event interface. Both are faces of the control's
// dispatch object and share its reference count. Sinks are the client's
// dispatch objects; each event calls their Invoke with the arguments by
// reference and hands what they left there back to the control.
#pragma once

#include <cstdint>
#include <memory>

#include "frame/connection_point.hpp"
#include "module/lumora_module.h"

namespace lumora {

class DispatchObject;

class EventPoints {
 public:
  // Null when the object raises no events of a published interface.
  static std::unique_ptr<EventPoints> For(DispatchObject& owner);

  EventPoints(DispatchObject& owner, Object& source, EventSource& events,
              const InterfaceInfo& eventInterface);
  ~EventPoints();
  EventPoints(const EventPoints&) = delete;
  EventPoints& operator=(const EventPoints&) = delete;

  static EventPoints* FromContainer(LumoraConnectionPointContainer* iface);
  static EventPoints* FromPoint(LumoraConnectionPoint* iface);

  LumoraConnectionPointContainer* Container() { return &m_Container.iface; }
  LumoraConnectionPoint* Point() { return &m_Point.iface; }
  DispatchObject& Owner() { return m_Owner; }

  LumoraResult FindConnectionPoint(const LumoraGuid* iid, LumoraConnectionPoint** point);
  LumoraResult EnumConnectionPoints(LumoraEnumConnectionPoints** points);
  LumoraResult GetConnectionInterface(LumoraGuid* iid) const;
  LumoraResult Advise(LumoraUnknown* sink, uint32_t* cookie);
  LumoraResult Unadvise(uint32_t cookie);

 private:
  template <class Interface>
  struct Face {
    Interface iface;
    EventPoints* self;
  };

  DispatchObject& m_Owner;
  Face<LumoraConnectionPointContainer> m_Container;
  Face<LumoraConnectionPoint> m_Point;
  ConnectionPoint m_Connections;
};

}  // namespace lumora
