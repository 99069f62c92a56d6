// Pictures for C hosts: the one runtime service a client needs before it can
// assign a Picture property.
#include "module/com_support.hpp"
#include "module/dispatch_object.hpp"
#include "module/lumora_module.h"
#include "platform/picture/picture.hpp"

using namespace lumora;

extern "C" LUMORA_EXPORT LumoraResult LumoraLoadPicture(const char* path,
                                                        LumoraDispatch** picture) {
  if (!picture) return LUMORA_E_POINTER;
  *picture = nullptr;
  if (!path) return LUMORA_E_INVALIDARG;
  try {
    PicturePtr loaded = LoadPictureFile(path);
    *picture = DispatchObject::Wrap(std::const_pointer_cast<Picture>(std::move(loaded)));
    return LUMORA_S_OK;
  } catch (const Failure& failure) {
    return LUMORA_RUNTIME_ERROR(failure.Number());
  } catch (const std::bad_alloc&) {
    return LUMORA_E_OUTOFMEMORY;
  } catch (...) {
    return LUMORA_E_UNEXPECTED;
  }
}
