// The class factory DllGetClassObject hands out for one class: it creates an
// instance sited on a headless form of its own (so the control's lifecycle has
// run and it is ready for calls) and returns it through dispatch.
#pragma once

#include <atomic>

#include "module/lumora_module.h"
#include "module/module_classes.hpp"

namespace lumora {

class ClassFactory {
 public:
  // A new factory holding one reference.
  static LumoraClassFactory* Create(const ModuleClass& cls);

  explicit ClassFactory(const ModuleClass& cls);
  ~ClassFactory();
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  LumoraClassFactory* Interface() { return &m_Com.iface; }
  static ClassFactory* FromInterface(LumoraClassFactory* iface);

  uint32_t AddRef();
  uint32_t Release();
  LumoraResult QueryInterface(const LumoraGuid* iid, void** object);
  LumoraResult CreateInstance(LumoraUnknown* outer, const LumoraGuid* iid, void** object);

 private:
  struct Com {
    LumoraClassFactory iface;
    ClassFactory* self;
  };

  Com m_Com;
  std::atomic<uint32_t> m_Refs{1};
  const ModuleClass& m_Class;
};

}  // namespace lumora
