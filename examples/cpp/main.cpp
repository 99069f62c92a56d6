// Shows a picture zoomed in on a headless form and writes the frame as PNG,
// then creates the same control the way a host that knows only the library's
// C interface does: through its class factory, driven by DISPID.
//
// Usage: lumora_example PICTURE OUT.png
#include <iostream>

#include "frame/type_library.hpp"
#include "module/lumora_module.h"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/render_form.hpp"

namespace {

// The C++ interface: the form, the control and the renderer directly.
void ShowZoomedIn(const char* picturePath, const char* pngPath) {
  auto form = lumora::Form::Create("Example", 400, 300);
  auto zoom = form->Add<lumora::ZelPicZoom>("zoom", 0, 0, 400 * 15, 300 * 15);
  form->Show(0);
  zoom->Picture(lumora::LoadPictureFile(picturePath));
  zoom->ZoomIn();
  lumora::RenderFormPng(*form, pngPath);
  std::cout << "shown at " << zoom->ZoomPercent().ToString() << " % in " << pngPath << "\n";
  form->Unload();
}

// The C interface: class factory, dispatch, reference counts.
bool CreateThroughTheFactory() {
  const lumora::Guid& g = lumora::TypeLibrary().FindClass("ZelPicZoom")->guid;
  LumoraGuid clsid{g.data1, g.data2, g.data3, {}};
  for (int i = 0; i < 8; ++i) clsid.data4[i] = g.data4[i];

  void* object = nullptr;
  if (DllGetClassObject(&clsid, &LumoraIID_IClassFactory, &object) != LUMORA_S_OK) return false;
  auto* factory = static_cast<LumoraClassFactory*>(object);
  LumoraResult r = factory->vtbl->CreateInstance(factory, nullptr, &LumoraIID_IDispatch, &object);
  factory->vtbl->Release(factory);
  if (r != LUMORA_S_OK) return false;
  auto* zoom = static_cast<LumoraDispatch*>(object);

  int32_t dispid = 0;
  const char* names[] = {"BarsWidth"};
  LumoraVariant value{};
  value.vt = LUMORA_VT_I2;
  value.value.i2 = 24;
  int32_t put = LUMORA_DISPID_PROPERTYPUT;
  LumoraDispParams assign{&value, &put, 1, 1};
  LumoraDispParams none{nullptr, nullptr, 0, 0};
  LumoraVariant result{};
  r = zoom->vtbl->GetIDsOfNames(zoom, nullptr, names, 1, 0x409, &dispid);
  if (r == LUMORA_S_OK)
    r = zoom->vtbl->Invoke(zoom, dispid, nullptr, 0x409, LUMORA_DISPATCH_PROPERTYPUT, &assign,
                           nullptr, nullptr, nullptr);
  if (r == LUMORA_S_OK)
    r = zoom->vtbl->Invoke(zoom, dispid, nullptr, 0x409, LUMORA_DISPATCH_PROPERTYGET, &none,
                           &result, nullptr, nullptr);
  zoom->vtbl->Release(zoom);
  if (r != LUMORA_S_OK || result.vt != LUMORA_VT_I2) return false;
  std::cout << "BarsWidth through dispatch: " << result.value.i2 << "\n";
  return result.value.i2 == 24 && DllCanUnloadNow() == LUMORA_S_OK;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: lumora_example PICTURE OUT.png\n";
    return 2;
  }
  try {
    ShowZoomedIn(argv[1], argv[2]);
  } catch (const lumora::Failure& failure) {
    std::cerr << "lumora_example: " << failure.Description() << " (error " << failure.Number()
              << ")\n";
    return 1;
  }
  if (!CreateThroughTheFactory()) {
    std::cerr << "lumora_example: the class factory did not deliver a working instance\n";
    return 1;
  }
  return 0;
}
