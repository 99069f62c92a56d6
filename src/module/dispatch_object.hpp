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

  Com m_Com;
  std::atomic<uint32_t> m_Refs{1};
  ObjectPtr m_Object;
  std::shared_ptr<Form> m_Site;
  const DispatchTable* m_Table;
  std::vector<std::string> m_Names;  // members asked for by name, without a table
};

}  // namespace lumora
