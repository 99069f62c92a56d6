#include "harness.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>

int g_Failures;
Module g_Lumora;

void* Export(const char* name) {
  void* symbol = dlsym(g_Lumora.handle, name);
  if (!symbol) {
    fprintf(stderr, "the library has no export %s\n", name);
    exit(2);
  }
  return symbol;
}

#define RESOLVE(field, name) *(void**)&g_Lumora.field = Export(name)

void LoadModule(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    exit(2);
  }
  g_Lumora.handle = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!g_Lumora.handle) {
    fprintf(stderr, "%s\n", dlerror());
    exit(2);
  }
  RESOLVE(DllGetClassObject, "DllGetClassObject");
  RESOLVE(DllCanUnloadNow, "DllCanUnloadNow");
  RESOLVE(StringAlloc, "LumoraStringAlloc");
  RESOLVE(StringFree, "LumoraStringFree");
  RESOLVE(VariantClear, "LumoraVariantClear");
  RESOLVE(LoadPicture, "LumoraLoadPicture");
  RESOLVE(IID_IUnknown, "LumoraIID_IUnknown");
  RESOLVE(IID_IDispatch, "LumoraIID_IDispatch");
  RESOLVE(IID_IClassFactory, "LumoraIID_IClassFactory");
  RESOLVE(IID_IConnectionPointContainer, "LumoraIID_IConnectionPointContainer");
  RESOLVE(IID_IConnectionPoint, "LumoraIID_IConnectionPoint");
  RESOLVE(IID_IEnumConnectionPoints, "LumoraIID_IEnumConnectionPoints");
  RESOLVE(CLSID_ZelPicZoom, "LumoraCLSID_ZelPicZoom");
  RESOLVE(IID_ZelPicZoom, "LumoraIID_ZelPicZoom");
  RESOLVE(DIID_ZelPicZoomEvents, "LumoraDIID_ZelPicZoomEvents");
  RESOLVE(CLSID_ZelScrollContainer, "LumoraCLSID_ZelScrollContainer");
  RESOLVE(IID_ZelScrollContainer, "LumoraIID_ZelScrollContainer");
  RESOLVE(DIID_ZelScrollContainerEvents, "LumoraDIID_ZelScrollContainerEvents");
}

int SameGuid(const LumoraGuid* a, const LumoraGuid* b) {
  return a && b && memcmp(a, b, sizeof *a) == 0;
}

void* Query(void* object, const LumoraGuid* iid) {
  LumoraUnknown* unknown = object;
  void* found = NULL;
  if (LUMORA_FAILED(unknown->vtbl->QueryInterface(unknown, iid, &found))) return NULL;
  return found;
}

uint32_t Release(void* object) {
  LumoraUnknown* unknown = object;
  return unknown->vtbl->Release(unknown);
}

LumoraDispatch* CreateControl(const LumoraGuid* clsid) {
  LumoraClassFactory* factory = NULL;
  if (LUMORA_FAILED(
          g_Lumora.DllGetClassObject(clsid, g_Lumora.IID_IClassFactory, (void**)&factory)))
    return NULL;
  void* control = NULL;
  factory->vtbl->CreateInstance(factory, NULL, g_Lumora.IID_IDispatch, &control);
  factory->vtbl->Release(factory);
  return control;
}

LumoraVariant VI2(int16_t v) {
  LumoraVariant x = {.vt = LUMORA_VT_I2};
  x.value.i2 = v;
  return x;
}

LumoraVariant VI4(int32_t v) {
  LumoraVariant x = {.vt = LUMORA_VT_I4};
  x.value.i4 = v;
  return x;
}

LumoraVariant VR4(float v) {
  LumoraVariant x = {.vt = LUMORA_VT_R4};
  x.value.r4 = v;
  return x;
}

LumoraVariant VObject(LumoraDispatch* v) {
  LumoraVariant x = {.vt = LUMORA_VT_DISPATCH};
  x.value.dispatch = v;
  return x;
}

LumoraVariant VMissing(void) {
  LumoraVariant x = {.vt = LUMORA_VT_ERROR};
  x.value.error = LUMORA_DISP_E_PARAMNOTFOUND;
  return x;
}

static LumoraResult Invoke(LumoraDispatch* d, const char* member, uint16_t flags, uint32_t count,
                           LumoraVariant* args, LumoraVariant* result, uint32_t* argErr,
                           LumoraResult* scode) {
  int32_t dispid = LUMORA_DISPID_UNKNOWN;
  LumoraResult r = d->vtbl->GetIDsOfNames(d, NULL, &member, 1, 0x409, &dispid);
  if (LUMORA_FAILED(r)) return r;
  LumoraVariant reversed[16];
  if (count > 16) return LUMORA_E_INVALIDARG;
  for (uint32_t i = 0; i < count; ++i) reversed[count - 1 - i] = args[i];
  int32_t named = LUMORA_DISPID_PROPERTYPUT;
  const int put = (flags & (LUMORA_DISPATCH_PROPERTYPUT | LUMORA_DISPATCH_PROPERTYPUTREF)) != 0;
  LumoraDispParams params = {reversed, put ? &named : NULL, count, put ? 1u : 0u};
  LumoraExcepInfo excep = {0};
  r = d->vtbl->Invoke(d, dispid, NULL, 0x409, flags, &params, result, &excep, argErr);
  *scode = r == LUMORA_DISP_E_EXCEPTION ? excep.scode : r;
  g_Lumora.StringFree(excep.source);
  g_Lumora.StringFree(excep.description);
  return r;
}

LumoraResult Call(LumoraDispatch* d, const char* member, uint16_t flags, uint32_t count,
                  LumoraVariant* args, LumoraVariant* result, uint32_t* argErr) {
  LumoraResult scode;
  return Invoke(d, member, flags, count, args, result, argErr, &scode);
}

LumoraResult CallLikeSlot(LumoraDispatch* d, const char* member, uint16_t flags, uint32_t count,
                          LumoraVariant* args, LumoraVariant* result) {
  LumoraResult scode = LUMORA_S_OK;
  Invoke(d, member, flags, count, args, result, NULL, &scode);
  return scode;
}

double Number(const LumoraVariant* v) {
  switch (v->vt) {
    case LUMORA_VT_UI1: return v->value.ui1;
    case LUMORA_VT_I2: return v->value.i2;
    case LUMORA_VT_I4: return v->value.i4;
    case LUMORA_VT_R4: return v->value.r4;
    case LUMORA_VT_R8: return v->value.r8;
    case LUMORA_VT_BOOL: return v->value.boolean;
    default: return -999999;
  }
}

double GetNumber(LumoraDispatch* d, const char* member) {
  LumoraVariant v = {0};
  if (LUMORA_FAILED(Call(d, member, LUMORA_DISPATCH_PROPERTYGET, 0, NULL, &v, NULL)))
    return -999999;
  const double n = Number(&v);
  g_Lumora.VariantClear(&v);
  return n;
}

int32_t GetI4(LumoraDispatch* d, const char* member) {
  return (int32_t)GetNumber(d, member);
}

/* ---- Sink --------------------------------------------------------------- */

static Sink* SinkOf(LumoraDispatch* self) {
  return (Sink*)self;
}

static LumoraResult SinkQueryInterface(LumoraDispatch* self, const LumoraGuid* iid, void** object) {
  Sink* sink = SinkOf(self);
  *object = NULL;
  const LumoraGuid* answers = sink->answers ? sink->answers : g_Lumora.IID_IDispatch;
  if (!SameGuid(iid, g_Lumora.IID_IUnknown) && !SameGuid(iid, answers)) return LUMORA_E_NOINTERFACE;
  ++sink->refs;
  *object = self;
  return LUMORA_S_OK;
}

static uint32_t SinkAddRef(LumoraDispatch* self) {
  return ++SinkOf(self)->refs;
}

static uint32_t SinkRelease(LumoraDispatch* self) {
  return --SinkOf(self)->refs;
}

static LumoraResult SinkTypeInfoCount(LumoraDispatch* self, uint32_t* count) {
  (void)self;
  *count = 0;
  return LUMORA_S_OK;
}

static LumoraResult SinkTypeInfo(LumoraDispatch* self, uint32_t index, uint32_t lcid, void** info) {
  (void)self, (void)index, (void)lcid;
  *info = NULL;
  return LUMORA_E_NOTIMPL;
}

static LumoraResult SinkIDsOfNames(LumoraDispatch* self, const LumoraGuid* iid, const char** names,
                                   uint32_t count, uint32_t lcid, int32_t* dispids) {
  (void)self, (void)iid, (void)names, (void)lcid;
  for (uint32_t i = 0; i < count; ++i) dispids[i] = LUMORA_DISPID_UNKNOWN;
  return LUMORA_DISP_E_UNKNOWNNAME;
}

static LumoraResult SinkInvoke(LumoraDispatch* self, int32_t dispid, const LumoraGuid* iid,
                               uint32_t lcid, uint16_t flags, LumoraDispParams* params,
                               LumoraVariant* result, LumoraExcepInfo* excep, uint32_t* argErr) {
  (void)iid, (void)lcid, (void)result, (void)excep, (void)argErr;
  Sink* sink = SinkOf(self);
  CHECK_EQ(flags, LUMORA_DISPATCH_METHOD);
  if (sink->hook) sink->hook(sink, dispid, params);
  if (sink->count < kMaxHeard) sink->heard[sink->count++] = dispid;
  return LUMORA_S_OK;
}

static const LumoraDispatchVtbl kSinkVtbl = {SinkQueryInterface, SinkAddRef,   SinkRelease,
                                             SinkTypeInfoCount,  SinkTypeInfo, SinkIDsOfNames,
                                             SinkInvoke};

void SinkInit(Sink* sink, const LumoraGuid* answers, SinkHook hook, void* context) {
  memset(sink, 0, sizeof *sink);
  sink->iface.vtbl = &kSinkVtbl;
  sink->refs = 1;
  sink->answers = answers;
  sink->hook = hook;
  sink->context = context;
}

int Heard(const Sink* sink, int32_t dispid) {
  int n = 0;
  for (int i = 0; i < sink->count; ++i) n += sink->heard[i] == dispid;
  return n;
}
