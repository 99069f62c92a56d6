#include "module/event_points.hpp"

#include <vector>

#include "frame/type_library.hpp"
#include "module/com_support.hpp"
#include "module/com_variant.hpp"
#include "module/dispatch_object.hpp"
#include "platform/controls/control.hpp"

namespace lumora {

namespace {

constexpr LumoraGuid kNoInterface{};
constexpr uint32_t kLocale = 0x409;

// The client's sink, held with one reference for as long as it is connected.
class SinkRef {
 public:
  explicit SinkRef(LumoraDispatch* sink) : m_Sink(sink) {}
  ~SinkRef() { m_Sink->vtbl->Release(m_Sink); }
  SinkRef(const SinkRef&) = delete;
  SinkRef& operator=(const SinkRef&) = delete;
  LumoraDispatch* Get() const { return m_Sink; }

 private:
  LumoraDispatch* m_Sink;
};

// Variants the library owns for the length of one call.
class OwnedVariants {
 public:
  explicit OwnedVariants(size_t n) : m_Values(n) {}
  ~OwnedVariants() {
    for (LumoraVariant& v : m_Values) LumoraVariantClear(&v);
  }
  OwnedVariants(const OwnedVariants&) = delete;
  OwnedVariants& operator=(const OwnedVariants&) = delete;
  LumoraVariant& operator[](size_t i) { return m_Values[i]; }

 private:
  std::vector<LumoraVariant> m_Values;
};

// Calls the sink with each argument by reference to a copy, then hands the
// copies back: a value that no longer converts leaves that argument as it
// was. What the sink returns does not concern the control.
void Deliver(LumoraDispatch* sink, int32_t dispid, std::span<Variant> args) noexcept {
  try {
    const size_t n = args.size();
    OwnedVariants values(n);
    std::vector<LumoraVariant> passed(n);
    for (size_t i = 0; i < n; ++i) {
      ToLumoraVariant(args[i], values[i]);
      passed[n - 1 - i] = ByRefTo(values[i]);
    }
    LumoraDispParams params{passed.data(), nullptr, static_cast<uint32_t>(n), 0};
    LumoraExcepInfo excep{};
    uint32_t argErr = 0;
    sink->vtbl->Invoke(sink, dispid, &kNoInterface, kLocale, LUMORA_DISPATCH_METHOD, &params,
                       nullptr, &excep, &argErr);
    LumoraStringFree(excep.source);
    LumoraStringFree(excep.description);
    for (size_t i = 0; i < n; ++i) {
      try {
        args[i] = FromLumoraVariant(values[i]);
      } catch (const Failure&) {
      }
    }
  } catch (...) {
    // Nothing may escape into the control raising the event.
  }
}

// ---- The enumerator of the container's (one) point ---------------------------

class PointEnumerator {
 public:
  static LumoraEnumConnectionPoints* Create(EventPoints& points, uint32_t position) {
    return std::make_unique<PointEnumerator>(points, position).release()->Interface();
  }
  static PointEnumerator* From(LumoraEnumConnectionPoints* iface);

  PointEnumerator(EventPoints& points, uint32_t position)
      : m_Com{{&kVtbl}, this}, m_Points(points), m_Position(position) {
    m_Points.Owner().AddRef();
  }
  ~PointEnumerator() { m_Points.Owner().Release(); }
  PointEnumerator(const PointEnumerator&) = delete;
  PointEnumerator& operator=(const PointEnumerator&) = delete;

  LumoraEnumConnectionPoints* Interface() { return &m_Com.iface; }

  static LumoraResult QueryInterface(LumoraEnumConnectionPoints* self, const LumoraGuid* iid,
                                     void** object) {
    if (!object) return LUMORA_E_POINTER;
    *object = nullptr;
    PointEnumerator* e = From(self);
    if (!e) return LUMORA_E_POINTER;
    if (!SameGuid(iid, LumoraIID_IUnknown) && !SameGuid(iid, LumoraIID_IEnumConnectionPoints))
      return LUMORA_E_NOINTERFACE;
    ++e->m_Refs;
    *object = self;
    return LUMORA_S_OK;
  }
  static uint32_t AddRef(LumoraEnumConnectionPoints* self) {
    PointEnumerator* e = From(self);
    return e ? ++e->m_Refs : 0;
  }
  static uint32_t Release(LumoraEnumConnectionPoints* self) {
    PointEnumerator* e = From(self);
    if (!e) return 0;
    const uint32_t left = --e->m_Refs;
    if (left == 0) std::unique_ptr<PointEnumerator> last(e);
    return left;
  }
  static LumoraResult Next(LumoraEnumConnectionPoints* self, uint32_t count,
                           LumoraConnectionPoint** points, uint32_t* fetched) {
    PointEnumerator* e = From(self);
    if (!e || !points || (!fetched && count != 1)) return LUMORA_E_POINTER;
    uint32_t given = 0;
    if (count > 0 && e->m_Position == 0) {
      e->m_Points.Owner().AddRef();
      points[given++] = e->m_Points.Point();
      e->m_Position = 1;
    }
    if (fetched) *fetched = given;
    return given == count ? LUMORA_S_OK : LUMORA_S_FALSE;
  }
  static LumoraResult Skip(LumoraEnumConnectionPoints* self, uint32_t count) {
    PointEnumerator* e = From(self);
    if (!e) return LUMORA_E_POINTER;
    const uint32_t skipped = count > 0 && e->m_Position == 0 ? 1 : 0;
    e->m_Position += skipped;
    return skipped == count ? LUMORA_S_OK : LUMORA_S_FALSE;
  }
  static LumoraResult Reset(LumoraEnumConnectionPoints* self) {
    PointEnumerator* e = From(self);
    if (!e) return LUMORA_E_POINTER;
    e->m_Position = 0;
    return LUMORA_S_OK;
  }
  static LumoraResult Clone(LumoraEnumConnectionPoints* self, LumoraEnumConnectionPoints** copy) {
    PointEnumerator* e = From(self);
    if (!e || !copy) return LUMORA_E_POINTER;
    *copy = nullptr;
    return Guarded(LUMORA_E_FAIL, [&] {
      *copy = Create(e->m_Points, e->m_Position);
      return LUMORA_S_OK;
    });
  }

 private:
  struct Com {
    LumoraEnumConnectionPoints iface;
    PointEnumerator* self;
  };
  static constexpr LumoraEnumConnectionPointsVtbl kVtbl = {QueryInterface, AddRef, Release, Next,
                                                           Skip,           Reset,  Clone};

  Com m_Com;
  uint32_t m_Refs = 1;
  EventPoints& m_Points;
  uint32_t m_Position;
};

PointEnumerator* PointEnumerator::From(LumoraEnumConnectionPoints* iface) {
  if (!iface || iface->vtbl != &kVtbl) return nullptr;
  return reinterpret_cast<Com*>(iface)->self;
}

// ---- Function tables ------------------------------------------------------------

EventPoints* Of(LumoraConnectionPointContainer* self) {
  return EventPoints::FromContainer(self);
}
EventPoints* Of(LumoraConnectionPoint* self) {
  return EventPoints::FromPoint(self);
}

// Both faces count on the control's dispatch object.
template <class Face>
uint32_t AddRefOf(Face* self) {
  EventPoints* p = Of(self);
  return p ? p->Owner().AddRef() : 0;
}

template <class Face>
uint32_t ReleaseOf(Face* self) {
  EventPoints* p = Of(self);
  return p ? p->Owner().Release() : 0;
}

// The container is the control: it answers what the control answers.
LumoraResult ContainerQueryInterface(LumoraConnectionPointContainer* self, const LumoraGuid* iid,
                                     void** object) {
  EventPoints* p = Of(self);
  if (!p) return LUMORA_E_POINTER;
  return p->Owner().QueryInterface(iid, object);
}

LumoraResult ContainerEnum(LumoraConnectionPointContainer* self,
                           LumoraEnumConnectionPoints** points) {
  EventPoints* p = Of(self);
  return p ? p->EnumConnectionPoints(points) : LUMORA_E_POINTER;
}

LumoraResult ContainerFind(LumoraConnectionPointContainer* self, const LumoraGuid* iid,
                           LumoraConnectionPoint** point) {
  EventPoints* p = Of(self);
  return p ? p->FindConnectionPoint(iid, point) : LUMORA_E_POINTER;
}

LumoraResult PointQueryInterface(LumoraConnectionPoint* self, const LumoraGuid* iid,
                                 void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  EventPoints* p = Of(self);
  if (!p) return LUMORA_E_POINTER;
  if (!SameGuid(iid, LumoraIID_IUnknown) && !SameGuid(iid, LumoraIID_IConnectionPoint))
    return LUMORA_E_NOINTERFACE;
  p->Owner().AddRef();
  *object = self;
  return LUMORA_S_OK;
}

LumoraResult PointInterface(LumoraConnectionPoint* self, LumoraGuid* iid) {
  EventPoints* p = Of(self);
  return p ? p->GetConnectionInterface(iid) : LUMORA_E_POINTER;
}

LumoraResult PointContainer(LumoraConnectionPoint* self,
                            LumoraConnectionPointContainer** container) {
  EventPoints* p = Of(self);
  if (!p || !container) return LUMORA_E_POINTER;
  p->Owner().AddRef();
  *container = p->Container();
  return LUMORA_S_OK;
}

LumoraResult PointAdvise(LumoraConnectionPoint* self, LumoraUnknown* sink, uint32_t* cookie) {
  EventPoints* p = Of(self);
  return p ? p->Advise(sink, cookie) : LUMORA_E_POINTER;
}

LumoraResult PointUnadvise(LumoraConnectionPoint* self, uint32_t cookie) {
  EventPoints* p = Of(self);
  return p ? p->Unadvise(cookie) : LUMORA_E_POINTER;
}

LumoraResult PointConnections(LumoraConnectionPoint*, void** connections) {
  if (connections) *connections = nullptr;
  return LUMORA_E_NOTIMPL;
}

constexpr LumoraConnectionPointContainerVtbl kContainerVtbl = {
    ContainerQueryInterface, AddRefOf<LumoraConnectionPointContainer>,
    ReleaseOf<LumoraConnectionPointContainer>, ContainerEnum, ContainerFind};

constexpr LumoraConnectionPointVtbl kPointVtbl = {PointQueryInterface,
                                                  AddRefOf<LumoraConnectionPoint>,
                                                  ReleaseOf<LumoraConnectionPoint>,
                                                  PointInterface,
                                                  PointContainer,
                                                  PointAdvise,
                                                  PointUnadvise,
                                                  PointConnections};

}  // namespace

std::unique_ptr<EventPoints> EventPoints::For(DispatchObject& owner) {
  auto* control = dynamic_cast<Control*>(owner.Target().get());
  if (!control) return nullptr;
  const ClassInfo* cls = TypeLibrary().FindClass(control->TypeName());
  if (!cls || !cls->defaultSource) return nullptr;
  return std::make_unique<EventPoints>(owner, *control, control->Events(), *cls->defaultSource);
}

EventPoints::EventPoints(DispatchObject& owner, Object& source, EventSource& events,
                         const InterfaceInfo& eventInterface)
    : m_Owner(owner),
      m_Container{{&kContainerVtbl}, this},
      m_Point{{&kPointVtbl}, this},
      m_Connections(source, events, eventInterface) {}

EventPoints::~EventPoints() = default;

EventPoints* EventPoints::FromContainer(LumoraConnectionPointContainer* iface) {
  if (!iface || iface->vtbl != &kContainerVtbl) return nullptr;
  return reinterpret_cast<Face<LumoraConnectionPointContainer>*>(iface)->self;
}

EventPoints* EventPoints::FromPoint(LumoraConnectionPoint* iface) {
  if (!iface || iface->vtbl != &kPointVtbl) return nullptr;
  return reinterpret_cast<Face<LumoraConnectionPoint>*>(iface)->self;
}

LumoraResult EventPoints::FindConnectionPoint(const LumoraGuid* iid,
                                              LumoraConnectionPoint** point) {
  if (!point) return LUMORA_E_POINTER;
  *point = nullptr;
  if (!iid) return LUMORA_E_INVALIDARG;
  if (FromLumoraGuid(*iid) != m_Connections.Interface().guid) return LUMORA_CONNECT_E_NOCONNECTION;
  m_Owner.AddRef();
  *point = Point();
  return LUMORA_S_OK;
}

LumoraResult EventPoints::EnumConnectionPoints(LumoraEnumConnectionPoints** points) {
  if (!points) return LUMORA_E_POINTER;
  *points = nullptr;
  return Guarded(LUMORA_E_FAIL, [&] {
    *points = PointEnumerator::Create(*this, 0);
    return LUMORA_S_OK;
  });
}

LumoraResult EventPoints::GetConnectionInterface(LumoraGuid* iid) const {
  if (!iid) return LUMORA_E_POINTER;
  *iid = ToLumoraGuid(m_Connections.Interface().guid);
  return LUMORA_S_OK;
}

LumoraResult EventPoints::Advise(LumoraUnknown* sink, uint32_t* cookie) {
  if (!cookie) return LUMORA_E_POINTER;
  *cookie = 0;
  if (!sink || !sink->vtbl) return LUMORA_E_POINTER;
  // The event interface is a dispatch interface: either answer gives a
  // dispatch table.
  const LumoraGuid events = ToLumoraGuid(m_Connections.Interface().guid);
  void* found = nullptr;
  if (LUMORA_FAILED(sink->vtbl->QueryInterface(sink, &events, &found)) || !found) {
    found = nullptr;
    if (LUMORA_FAILED(sink->vtbl->QueryInterface(sink, &LumoraIID_IDispatch, &found)) || !found)
      return LUMORA_CONNECT_E_CANNOTCONNECT;
  }
  auto held = std::make_shared<SinkRef>(static_cast<LumoraDispatch*>(found));
  return Guarded(LUMORA_CONNECT_E_CANNOTCONNECT, [&] {
    *cookie =
        m_Connections.Advise([held](int32_t dispid, std::string_view, std::span<Variant> args) {
          Deliver(held->Get(), dispid, args);
        });
    return LUMORA_S_OK;
  });
}

LumoraResult EventPoints::Unadvise(uint32_t cookie) {
  return Guarded(LUMORA_CONNECT_E_NOCONNECTION, [&] {
    m_Connections.Unadvise(cookie);
    return LUMORA_S_OK;
  });
}

}  // namespace lumora
