#include "module/class_factory.hpp"

#include <memory>
#include <string>

#include "about/about_box.hpp"
#include "module/com_support.hpp"
#include "module/dispatch_object.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

// The extent of a new instance, in pixels, until its host sizes it.
constexpr int32_t kSiteWidth = 320;
constexpr int32_t kSiteHeight = 240;

ClassFactory* Self(LumoraClassFactory* iface) {
  return ClassFactory::FromInterface(iface);
}

LumoraResult CallQueryInterface(LumoraClassFactory* self, const LumoraGuid* iid, void** object) {
  ClassFactory* f = Self(self);
  return f ? f->QueryInterface(iid, object) : LUMORA_E_POINTER;
}

uint32_t CallAddRef(LumoraClassFactory* self) {
  ClassFactory* f = Self(self);
  return f ? f->AddRef() : 0;
}

uint32_t CallRelease(LumoraClassFactory* self) {
  ClassFactory* f = Self(self);
  return f ? f->Release() : 0;
}

LumoraResult CallCreateInstance(LumoraClassFactory* self, LumoraUnknown* outer,
                                const LumoraGuid* iid, void** object) {
  ClassFactory* f = Self(self);
  return f ? f->CreateInstance(outer, iid, object) : LUMORA_E_POINTER;
}

LumoraResult CallLockServer(LumoraClassFactory*, int32_t lock) {
  LockModule(lock != 0);
  return LUMORA_S_OK;
}

constexpr LumoraClassFactoryVtbl kVtbl = {
    CallQueryInterface, CallAddRef, CallRelease, CallCreateInstance, CallLockServer,
};

std::string NewSiteName() {
  thread_local int64_t g_Sites = 0;
  return "OrvaneLumoraSite" + std::to_string(++g_Sites);
}

}  // namespace

LumoraClassFactory* ClassFactory::Create(const ModuleClass& cls) {
  // Owned by its references from here on: the last Release deletes it.
  return std::make_unique<ClassFactory>(cls).release()->Interface();
}

ClassFactory* ClassFactory::FromInterface(LumoraClassFactory* iface) {
  if (!iface || iface->vtbl != &kVtbl) return nullptr;
  return reinterpret_cast<Com*>(iface)->self;
}

ClassFactory::ClassFactory(const ModuleClass& cls) : m_Com{{&kVtbl}, this}, m_Class(cls) {
  ObjectCreated();
}

ClassFactory::~ClassFactory() {
  ObjectDestroyed();
}

uint32_t ClassFactory::AddRef() {
  return ++m_Refs;
}

uint32_t ClassFactory::Release() {
  const uint32_t left = --m_Refs;
  if (left == 0) std::unique_ptr<ClassFactory> last(this);
  return left;
}

LumoraResult ClassFactory::QueryInterface(const LumoraGuid* iid, void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  if (!SameGuid(iid, LumoraIID_IUnknown) && !SameGuid(iid, LumoraIID_IClassFactory))
    return LUMORA_E_NOINTERFACE;
  AddRef();
  *object = Interface();
  return LUMORA_S_OK;
}

LumoraResult ClassFactory::CreateInstance(LumoraUnknown* outer, const LumoraGuid* iid,
                                          void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  if (outer) return LUMORA_CLASS_E_NOAGGREGATION;
  const bool known = SameGuid(iid, LumoraIID_IUnknown) || SameGuid(iid, LumoraIID_IDispatch) ||
                     (iid && FromLumoraGuid(*iid) == m_Class.info->defaultInterface->guid);
  if (!known) return LUMORA_E_NOINTERFACE;
  return Guarded(LUMORA_E_FAIL, [&] {
    // AboutBox on the instances of this thread shows this library's dialog.
    InstallAboutBox();
    const std::shared_ptr<UserControl> control = m_Class.create();
    const std::shared_ptr<Form> site = Form::Create(NewSiteName(), kSiteWidth, kSiteHeight);
    try {
      site->Place(control, std::string(m_Class.info->name) + "1", 0, 0,
                  kSiteWidth * float{kTwipsPerPixel}, kSiteHeight * float{kTwipsPerPixel}, nullptr,
                  nullptr);
      site->Show(0);
    } catch (...) {
      site->Unload();
      throw;
    }
    *object = DispatchObject::Wrap(control, site);
    return LUMORA_S_OK;
  });
}

}  // namespace lumora
