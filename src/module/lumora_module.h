/* The C interface of libOrvaneLumora: the module's entry points and the
 * reference-counted interfaces they hand out (class factory, dispatch),
 * laid out as tables of function pointers so that any language with a C
 * foreign-function interface can host the controls.
 *
 * Sites, which show a control in a host's own buffer, are declared in
 * lumora_site.h, which this header includes.
 *
 * Threading: objects belong to the thread that created them and must be used
 * and released there. Strings are UTF-8, allocated with LumoraStringAlloc
 * and freed with LumoraStringFree (LumoraVariantClear frees a variant's). */
#ifndef ORVANE_LUMORA_MODULE_H
#define ORVANE_LUMORA_MODULE_H

#include <stdint.h>

#if defined(__GNUC__)
#define LUMORA_EXPORT __attribute__((visibility("default")))
#else
#define LUMORA_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes: negative values are failures. */
typedef int32_t LumoraResult;
#define LUMORA_SUCCEEDED(r) ((LumoraResult)(r) >= 0)
#define LUMORA_FAILED(r) ((LumoraResult)(r) < 0)
#define LUMORA_S_OK ((LumoraResult)0)
#define LUMORA_S_FALSE ((LumoraResult)1)
#define LUMORA_E_NOTIMPL ((LumoraResult)0x80004001)
#define LUMORA_E_NOINTERFACE ((LumoraResult)0x80004002)
#define LUMORA_E_POINTER ((LumoraResult)0x80004003)
#define LUMORA_E_FAIL ((LumoraResult)0x80004005)
#define LUMORA_E_UNEXPECTED ((LumoraResult)0x8000FFFF)
#define LUMORA_E_OUTOFMEMORY ((LumoraResult)0x8007000E)
#define LUMORA_E_INVALIDARG ((LumoraResult)0x80070057)
#define LUMORA_CLASS_E_NOAGGREGATION ((LumoraResult)0x80040110)
#define LUMORA_CLASS_E_CLASSNOTAVAILABLE ((LumoraResult)0x80040111)
#define LUMORA_SELFREG_E_TYPELIB ((LumoraResult)0x80040200)
#define LUMORA_SELFREG_E_CLASS ((LumoraResult)0x80040201)
#define LUMORA_DISP_E_UNKNOWNINTERFACE ((LumoraResult)0x80020001)
#define LUMORA_DISP_E_MEMBERNOTFOUND ((LumoraResult)0x80020003)
#define LUMORA_DISP_E_PARAMNOTFOUND ((LumoraResult)0x80020004)
#define LUMORA_DISP_E_TYPEMISMATCH ((LumoraResult)0x80020005)
#define LUMORA_DISP_E_UNKNOWNNAME ((LumoraResult)0x80020006)
#define LUMORA_DISP_E_NONAMEDARGS ((LumoraResult)0x80020007)
#define LUMORA_DISP_E_BADVARTYPE ((LumoraResult)0x80020008)
#define LUMORA_DISP_E_EXCEPTION ((LumoraResult)0x80020009)
#define LUMORA_DISP_E_OVERFLOW ((LumoraResult)0x8002000A)
#define LUMORA_DISP_E_BADPARAMCOUNT ((LumoraResult)0x8002000E)
#define LUMORA_DISP_E_PARAMNOTOPTIONAL ((LumoraResult)0x8002000F)
/* Codes of the connection-point interfaces (interface-specific, like the
 * registration codes above). */
#define LUMORA_CONNECT_E_NOCONNECTION ((LumoraResult)0x80040200)
#define LUMORA_CONNECT_E_CANNOTCONNECT ((LumoraResult)0x80040202)
/* A runtime error n raised by a member, as the exception's scode. */
#define LUMORA_RUNTIME_ERROR(n) ((LumoraResult)(0x800A0000u | ((uint32_t)(n)&0xFFFFu)))

typedef struct LumoraGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} LumoraGuid;

/* Interface identifiers. */
LUMORA_EXPORT extern const LumoraGuid LumoraIID_IUnknown; /* 00000000-0000-0000-C000-000000000046 */
LUMORA_EXPORT extern const LumoraGuid
    LumoraIID_IClassFactory; /* 00000001-0000-0000-C000-000000000046 */
LUMORA_EXPORT extern const LumoraGuid
    LumoraIID_IDispatch; /* 00020400-0000-0000-C000-000000000046 */
LUMORA_EXPORT extern const LumoraGuid
    LumoraIID_IConnectionPointContainer; /* B196B284-BAB4-101A-B69C-00AA00341D07 */
LUMORA_EXPORT extern const LumoraGuid
    LumoraIID_IEnumConnectionPoints; /* B196B285-BAB4-101A-B69C-00AA00341D07 */
LUMORA_EXPORT extern const LumoraGuid
    LumoraIID_IConnectionPoint; /* B196B286-BAB4-101A-B69C-00AA00341D07 */

/* ---- Values ------------------------------------------------------------- */

enum {
  LUMORA_VT_EMPTY = 0,
  LUMORA_VT_I2 = 2,
  LUMORA_VT_I4 = 3,
  LUMORA_VT_R4 = 4,
  LUMORA_VT_R8 = 5,
  LUMORA_VT_STR = 8, /* UTF-8, owned by the variant */
  LUMORA_VT_DISPATCH = 9,
  LUMORA_VT_ERROR = 10,   /* with LUMORA_DISP_E_PARAMNOTFOUND: an optional argument left out */
  LUMORA_VT_BOOL = 11,    /* 0 false, -1 true */
  LUMORA_VT_VARIANT = 12, /* only with LUMORA_VT_BYREF */
  LUMORA_VT_UI1 = 17,
  LUMORA_VT_BYREF = 0x4000 /* the value is a pointer to the caller's storage */
};

typedef struct LumoraDispatch LumoraDispatch;

typedef struct LumoraVariant {
  uint16_t vt;
  uint16_t reserved[3];
  union {
    uint8_t ui1;
    int16_t i2;
    int32_t i4;
    float r4;
    double r8;
    int16_t boolean;
    LumoraResult error;
    char* str;
    LumoraDispatch* dispatch;
    uint8_t* pui1;
    int16_t* pi2;
    int32_t* pi4;
    float* pr4;
    double* pr8;
    int16_t* pboolean;
    char** pstr;
    LumoraDispatch** pdispatch;
    struct LumoraVariant* pvariant;
  } value;
} LumoraVariant;

LUMORA_EXPORT char* LumoraStringAlloc(const char* text);
LUMORA_EXPORT void LumoraStringFree(char* text);
LUMORA_EXPORT void LumoraVariantInit(LumoraVariant* v);
/* Frees an owned string, releases an object, and leaves the variant empty. */
LUMORA_EXPORT LumoraResult LumoraVariantClear(LumoraVariant* v);

/* Loads a picture file (BMP, PNG, JPEG or GIF) as a picture object to assign
 * to a Picture property. A missing file gives LUMORA_RUNTIME_ERROR(53), data
 * that is no picture LUMORA_RUNTIME_ERROR(481). */
LUMORA_EXPORT LumoraResult LumoraLoadPicture(const char* path, LumoraDispatch** picture);

/* ---- Interfaces ------------------------------------------------------------ */

typedef struct LumoraUnknown LumoraUnknown;
typedef struct LumoraUnknownVtbl {
  LumoraResult (*QueryInterface)(LumoraUnknown* self, const LumoraGuid* iid, void** object);
  uint32_t (*AddRef)(LumoraUnknown* self);
  uint32_t (*Release)(LumoraUnknown* self);
} LumoraUnknownVtbl;
struct LumoraUnknown {
  const LumoraUnknownVtbl* vtbl;
};

typedef struct LumoraClassFactory LumoraClassFactory;
typedef struct LumoraClassFactoryVtbl {
  LumoraResult (*QueryInterface)(LumoraClassFactory* self, const LumoraGuid* iid, void** object);
  uint32_t (*AddRef)(LumoraClassFactory* self);
  uint32_t (*Release)(LumoraClassFactory* self);
  /* outer must be null (no aggregation); iid is IUnknown, IDispatch or the
   * class's default interface. */
  LumoraResult (*CreateInstance)(LumoraClassFactory* self, LumoraUnknown* outer,
                                 const LumoraGuid* iid, void** object);
  /* Non-zero keeps the module loaded until a matching call with zero. */
  LumoraResult (*LockServer)(LumoraClassFactory* self, int32_t lock);
} LumoraClassFactoryVtbl;
struct LumoraClassFactory {
  const LumoraClassFactoryVtbl* vtbl;
};

/* Invoke flags and special DISPIDs. */
#define LUMORA_DISPATCH_METHOD 1
#define LUMORA_DISPATCH_PROPERTYGET 2
#define LUMORA_DISPATCH_PROPERTYPUT 4
#define LUMORA_DISPATCH_PROPERTYPUTREF 8
#define LUMORA_DISPID_UNKNOWN (-1)
#define LUMORA_DISPID_VALUE 0
#define LUMORA_DISPID_PROPERTYPUT (-3)

/* Arguments last to first, as dispatch passes them: args[0] is the last
 * argument (for a property put, the value, named LUMORA_DISPID_PROPERTYPUT). */
typedef struct LumoraDispParams {
  LumoraVariant* args;
  int32_t* namedArgs;
  uint32_t argCount;
  uint32_t namedArgCount;
} LumoraDispParams;

/* Filled when Invoke returns LUMORA_DISP_E_EXCEPTION; the caller frees the
 * strings. */
typedef struct LumoraExcepInfo {
  uint16_t code;
  uint16_t reserved;
  char* source;
  char* description;
  LumoraResult scode; /* LUMORA_RUNTIME_ERROR(number) */
} LumoraExcepInfo;

typedef struct LumoraDispatchVtbl {
  LumoraResult (*QueryInterface)(LumoraDispatch* self, const LumoraGuid* iid, void** object);
  uint32_t (*AddRef)(LumoraDispatch* self);
  uint32_t (*Release)(LumoraDispatch* self);
  /* No type information objects are handed out: count 0. */
  LumoraResult (*GetTypeInfoCount)(LumoraDispatch* self, uint32_t* count);
  LumoraResult (*GetTypeInfo)(LumoraDispatch* self, uint32_t index, uint32_t lcid, void** info);
  /* Member names without regard to case; only names[0] (the member) is
   * resolved, further names (parameters) give LUMORA_DISPID_UNKNOWN. */
  LumoraResult (*GetIDsOfNames)(LumoraDispatch* self, const LumoraGuid* iid, const char** names,
                                uint32_t count, uint32_t lcid, int32_t* dispids);
  LumoraResult (*Invoke)(LumoraDispatch* self, int32_t dispid, const LumoraGuid* iid, uint32_t lcid,
                         uint16_t flags, LumoraDispParams* params, LumoraVariant* result,
                         LumoraExcepInfo* excepInfo, uint32_t* argErr);
} LumoraDispatchVtbl;
struct LumoraDispatch {
  const LumoraDispatchVtbl* vtbl;
};

/* ---- Events ----------------------------------------------------------------
 * A control answers QueryInterface for LumoraIID_IConnectionPointContainer.
 * Its container holds one connection point, for the control's event
 * interface (LumoraDIID_ZelPicZoomEvents, LumoraDIID_ZelScrollContainerEvents
 * in lumora_controls.h). A sink is any object that answers QueryInterface
 * for that interface's ID or for IDispatch; each event calls its Invoke with
 * the event's DISPID, LUMORA_DISPATCH_METHOD and the event's arguments (last
 * first), each by reference (LUMORA_VT_BYREF with the argument's type): what
 * the sink stores through them is what the control acts on. Advising and
 * unadvising from inside an event is allowed; a sink advised during an event
 * hears the next one. The container and its point share the control's
 * reference count. */

typedef struct LumoraConnectionPoint LumoraConnectionPoint;
typedef struct LumoraConnectionPointContainer LumoraConnectionPointContainer;
typedef struct LumoraEnumConnectionPoints LumoraEnumConnectionPoints;

typedef struct LumoraConnectionPointVtbl {
  LumoraResult (*QueryInterface)(LumoraConnectionPoint* self, const LumoraGuid* iid, void** object);
  uint32_t (*AddRef)(LumoraConnectionPoint* self);
  uint32_t (*Release)(LumoraConnectionPoint* self);
  LumoraResult (*GetConnectionInterface)(LumoraConnectionPoint* self, LumoraGuid* iid);
  LumoraResult (*GetConnectionPointContainer)(LumoraConnectionPoint* self,
                                              LumoraConnectionPointContainer** container);
  /* Holds a reference to the sink until Unadvise (or the control's end) and
   * returns a cookie, never 0. LUMORA_CONNECT_E_CANNOTCONNECT when the sink
   * answers neither interface. */
  LumoraResult (*Advise)(LumoraConnectionPoint* self, LumoraUnknown* sink, uint32_t* cookie);
  /* LUMORA_CONNECT_E_NOCONNECTION for a cookie that is not connected. */
  LumoraResult (*Unadvise)(LumoraConnectionPoint* self, uint32_t cookie);
  /* Not offered: LUMORA_E_NOTIMPL. */
  LumoraResult (*EnumConnections)(LumoraConnectionPoint* self, void** connections);
} LumoraConnectionPointVtbl;
struct LumoraConnectionPoint {
  const LumoraConnectionPointVtbl* vtbl;
};

typedef struct LumoraEnumConnectionPointsVtbl {
  LumoraResult (*QueryInterface)(LumoraEnumConnectionPoints* self, const LumoraGuid* iid,
                                 void** object);
  uint32_t (*AddRef)(LumoraEnumConnectionPoints* self);
  uint32_t (*Release)(LumoraEnumConnectionPoints* self);
  /* Up to count points, each with a reference; LUMORA_S_FALSE when fewer
   * were left. fetched may be null when count is 1. */
  LumoraResult (*Next)(LumoraEnumConnectionPoints* self, uint32_t count,
                       LumoraConnectionPoint** points, uint32_t* fetched);
  LumoraResult (*Skip)(LumoraEnumConnectionPoints* self, uint32_t count);
  LumoraResult (*Reset)(LumoraEnumConnectionPoints* self);
  LumoraResult (*Clone)(LumoraEnumConnectionPoints* self, LumoraEnumConnectionPoints** copy);
} LumoraEnumConnectionPointsVtbl;
struct LumoraEnumConnectionPoints {
  const LumoraEnumConnectionPointsVtbl* vtbl;
};

typedef struct LumoraConnectionPointContainerVtbl {
  LumoraResult (*QueryInterface)(LumoraConnectionPointContainer* self, const LumoraGuid* iid,
                                 void** object);
  uint32_t (*AddRef)(LumoraConnectionPointContainer* self);
  uint32_t (*Release)(LumoraConnectionPointContainer* self);
  LumoraResult (*EnumConnectionPoints)(LumoraConnectionPointContainer* self,
                                       LumoraEnumConnectionPoints** points);
  /* LUMORA_CONNECT_E_NOCONNECTION for an interface the control does not raise. */
  LumoraResult (*FindConnectionPoint)(LumoraConnectionPointContainer* self, const LumoraGuid* iid,
                                      LumoraConnectionPoint** point);
} LumoraConnectionPointContainerVtbl;
struct LumoraConnectionPointContainer {
  const LumoraConnectionPointContainerVtbl* vtbl;
};

/* ---- Entry points -------------------------------------------------------- */

/* Writes the library, its classes (by GUID and by programmatic name), its
 * type library and the toolbox bitmaps to the registry file: LUMORA_REGISTRY
 * if set, else $XDG_DATA_HOME/orvane-lumora/registry.json, else
 * ~/.local/share/orvane-lumora/registry.json. The file is replaced atomically;
 * a registry that cannot be read or written is left as it was
 * (LUMORA_SELFREG_E_CLASS). */
LUMORA_EXPORT LumoraResult DllRegisterServer(void);
/* Removes exactly those entries, leaving everything else. */
LUMORA_EXPORT LumoraResult DllUnregisterServer(void);
/* A class factory for a class of this library (iid IUnknown or
 * IClassFactory); LUMORA_CLASS_E_CLASSNOTAVAILABLE for any other class. */
LUMORA_EXPORT LumoraResult DllGetClassObject(const LumoraGuid* clsid, const LumoraGuid* iid,
                                             void** object);
/* LUMORA_S_OK when no object of the module is alive and no lock is held,
 * else LUMORA_S_FALSE. */
LUMORA_EXPORT LumoraResult DllCanUnloadNow(void);

#define LUMORA_DLL_PROCESS_DETACH 0
#define LUMORA_DLL_PROCESS_ATTACH 1
#define LUMORA_DLL_THREAD_ATTACH 2
#define LUMORA_DLL_THREAD_DETACH 3
/* The module entry: attach and detach of the process (run when the library
 * is loaded and unloaded) and of threads (hosts call it). A thread detach
 * closes the thread's About box. Returns 1. */
LUMORA_EXPORT int32_t DllMain(void* module, uint32_t reason, void* reserved);

#ifdef __cplusplus
}
#endif

/* Sites, for hosts that show a control in their own buffer. */
#include "lumora_site.h"

#endif /* ORVANE_LUMORA_MODULE_H */
