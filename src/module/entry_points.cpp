// The module's exported entry points. Each hands its request to the piece of
// the library that serves it and turns the outcome into a result code; no
// exception crosses the C boundary.
#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "about/about_box.hpp"
#include "about/frm_about.hpp"
#include "module/class_factory.hpp"
#include "module/com_support.hpp"
#include "module/lumora_module.h"
#include "module/module_classes.hpp"
#include "module/registry.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

// The path of this shared library as the loader found it, made absolute, so
// that hosts load the same file again.
std::string ModulePath() {
  Dl_info info{};
  if (!::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname)
    Fail(kErrFileNotFound, "Cannot tell where the library was loaded from");
  return std::filesystem::absolute(info.dli_fname).lexically_normal().string();
}

}  // namespace

}  // namespace lumora

using namespace lumora;

extern "C" {

LUMORA_EXPORT LumoraResult DllRegisterServer(void) {
  return Guarded(LUMORA_SELFREG_E_CLASS, [] {
    RegisterLibrary(RegistryPath(), ModulePath());
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult DllUnregisterServer(void) {
  return Guarded(LUMORA_SELFREG_E_CLASS, [] {
    UnregisterLibrary(RegistryPath());
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult DllGetClassObject(const LumoraGuid* clsid, const LumoraGuid* iid,
                                             void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  if (!clsid || !iid) return LUMORA_E_INVALIDARG;
  const ModuleClass* cls = FindModuleClass(FromLumoraGuid(*clsid));
  if (!cls) return LUMORA_CLASS_E_CLASSNOTAVAILABLE;
  if (!SameGuid(iid, LumoraIID_IUnknown) && !SameGuid(iid, LumoraIID_IClassFactory))
    return LUMORA_E_NOINTERFACE;
  return Guarded(LUMORA_E_FAIL, [&] {
    *object = ClassFactory::Create(*cls);
    return LUMORA_S_OK;
  });
}

LUMORA_EXPORT LumoraResult DllCanUnloadNow(void) {
  return ModuleInUse() ? LUMORA_S_FALSE : LUMORA_S_OK;
}

LUMORA_EXPORT int32_t DllMain(void*, uint32_t reason, void*) {
  switch (reason) {
    case LUMORA_DLL_PROCESS_ATTACH:
    case LUMORA_DLL_PROCESS_DETACH:
    case LUMORA_DLL_THREAD_ATTACH: return 1;
    case LUMORA_DLL_THREAD_DETACH:
      // The thread's dialog goes with the thread's forms.
      Step([] {
        if (AboutDialogExists()) AboutDialog().Unload();
      });
      return 1;
    default: return 0;
  }
}

}  // extern "C"

namespace {

// The loader's attach and detach of the process reach the module entry as
// they would on a platform that calls it itself.
__attribute__((constructor)) void OnLoad() {
  DllMain(nullptr, LUMORA_DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void OnUnload() {
  DllMain(nullptr, LUMORA_DLL_PROCESS_DETACH, nullptr);
}

}  // namespace
