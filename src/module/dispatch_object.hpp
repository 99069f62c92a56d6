// A runtime object handed out through the C interface: reference counted,
// called late-bound through the dispatch function table. Objects that publish
// a type-library interface (the controls) are called through it by DISPID;
// any other object (a picture, a record) by member name, each name numbered
// when a client first asks for it.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "frame/dispatch.hpp"
#include "module/lumora_module.h"
#include "platform/object.hpp"

namespace lumora {

// The dispatch slots every object of this module answers: the whole table of
// most objects and the start of the controls' dual tables.
namespace dispatch_slots {
LumoraResult QueryInterface(LumoraDispatch* self, const LumoraGuid* iid, void** object);
uint32_t AddRef(LumoraDispatch* self);
uint32_t Release(LumoraDispatch* self);
LumoraResult GetTypeInfoCount(LumoraDispatch* self, uint32_t* count);
LumoraResult GetTypeInfo(LumoraDispatch* self, uint32_t index, uint32_t lcid, void** info);
LumoraResult GetIDsOfNames(LumoraDispatch* self, const LumoraGuid* iid, const char** names,
                           uint32_t count, uint32_t lcid, int32_t* dispids);
LumoraResult Invoke(LumoraDispatch* self, int32_t dispid, const LumoraGuid* iid, uint32_t lcid,
                    uint16_t flags, LumoraDispParams* params, LumoraVariant* result,
                    LumoraExcepInfo* excepInfo, uint32_t* argErr);
}  // namespace dispatch_slots

inline constexpr LumoraDispatchVtbl kDispatchVtbl = {
    dispatch_slots::QueryInterface,   dispatch_slots::AddRef,      dispatch_slots::Release,
    dispatch_slots::GetTypeInfoCount, dispatch_slots::GetTypeInfo, dispatch_slots::GetIDsOfNames,
    dispatch_slots::Invoke,
};

class EventPoints;
class Form;

class DispatchObject {
 public:
  // A new wrapper holding one reference. `site`, when given, is the headless
  // form a created control lives on: it is unloaded with the last reference.
  static LumoraDispatch* Wrap(ObjectPtr object, std::shared_ptr<Form> site = nullptr);
  // The wrapper behind a dispatch pointer of this module; null for a null
  // pointer or one from anywhere else.
  static DispatchObject* FromInterface(LumoraDispatch* iface);

  DispatchObject(ObjectPtr object, std::shared_ptr<Form> site);
  ~DispatchObject();
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  const ObjectPtr& Target() const { return m_Object; }
  // The published interface the object is called through, or null.
  const DispatchTable* Table() const { return m_Table; }
  LumoraDispatch* Interface() { return &m_Com.iface; }

  uint32_t AddRef();
  uint32_t Release();
  LumoraResult QueryInterface(const LumoraGuid* iid, void** object);
  LumoraResult GetIDsOfNames(const char** names, uint32_t count, int32_t* dispids);
  LumoraResult Invoke(int32_t dispid, uint16_t flags, LumoraDispParams* params,
                      LumoraVariant* result, LumoraExcepInfo* excepInfo, uint32_t* argErr);

 private:
  // What the C side holds: the function table, then the way back here.
  struct Com {
    LumoraDispatch iface;
    DispatchObject* self;
  };

  Variant Call(int32_t dispid, MemberKind kind, std::vector<Variant>& args);
  // The control's connection points, made on first request; null for an
  // object that raises no published events.
  EventPoints* Points();

  Com m_Com;
  std::atomic<uint32_t> m_Refs{1};
  ObjectPtr m_Object;
  std::shared_ptr<Form> m_Site;
  const DispatchTable* m_Table;
  std::vector<std::string> m_Names;  // members asked for by name, without a table
  std::unique_ptr<EventPoints> m_Points;
  bool m_PointsLooked = false;
};

}  // namespace lumora
