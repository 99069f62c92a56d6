/* What the C tests share: the installed library loaded with dlopen (its path
 * is the program's first argument), its exports, controls made through the
 * class factory, late-bound calls, and a sink that records the events it
 * hears. */
#ifndef LUMORA_C_HARNESS_H
#define LUMORA_C_HARNESS_H

#include "check.h"
#include "module/lumora_controls.h"
#include "module/lumora_module.h"

typedef struct Module {
  void* handle;
  LumoraResult (*DllGetClassObject)(const LumoraGuid*, const LumoraGuid*, void**);
  LumoraResult (*DllCanUnloadNow)(void);
  char* (*StringAlloc)(const char*);
  void (*StringFree)(char*);
  LumoraResult (*VariantClear)(LumoraVariant*);
  LumoraResult (*LoadPicture)(const char*, LumoraDispatch**);
  const LumoraGuid* IID_IUnknown;
  const LumoraGuid* IID_IDispatch;
  const LumoraGuid* IID_IClassFactory;
  const LumoraGuid* IID_IConnectionPointContainer;
  const LumoraGuid* IID_IConnectionPoint;
  const LumoraGuid* IID_IEnumConnectionPoints;
  const LumoraGuid* CLSID_ZelPicZoom;
  const LumoraGuid* IID_ZelPicZoom;
  const LumoraGuid* DIID_ZelPicZoomEvents;
  const LumoraGuid* CLSID_ZelScrollContainer;
  const LumoraGuid* IID_ZelScrollContainer;
  const LumoraGuid* DIID_ZelScrollContainerEvents;
} Module;

extern Module g_Lumora;

/* Loads argv[1] and resolves everything above; exits with 2 when it cannot. */
void LoadModule(int argc, char** argv);
/* Any export by name; exits with 2 when missing. */
void* Export(const char* name);

int SameGuid(const LumoraGuid* a, const LumoraGuid* b);
/* QueryInterface on any of the library's objects; null when refused. */
void* Query(void* object, const LumoraGuid* iid);
uint32_t Release(void* object);
/* A new control of that class (its IDispatch), or null. */
LumoraDispatch* CreateControl(const LumoraGuid* clsid);

LumoraVariant VI2(int16_t v);
LumoraVariant VI4(int32_t v);
LumoraVariant VR4(float v);
LumoraVariant VObject(LumoraDispatch* v);
LumoraVariant VMissing(void);

/* A late-bound call by member name with the arguments in written order. */
LumoraResult Call(LumoraDispatch* d, const char* member, uint16_t flags, uint32_t count,
                  LumoraVariant* args, LumoraVariant* result, uint32_t* argErr);
/* The same, returning what a dual slot returns: a runtime error n raised by
 * the member as LUMORA_RUNTIME_ERROR(n). */
LumoraResult CallLikeSlot(LumoraDispatch* d, const char* member, uint16_t flags, uint32_t count,
                          LumoraVariant* args, LumoraVariant* result);
/* A numeric variant's value (-999999 for anything else). */
double Number(const LumoraVariant* v);
/* The member read as a number, or as a 32-bit integer (-999999 when the read
 * fails). */
double GetNumber(LumoraDispatch* d, const char* member);
int32_t GetI4(LumoraDispatch* d, const char* member);

/* ---- A recording sink ---------------------------------------------------- */

typedef struct Sink Sink;
/* Runs inside the sink's Invoke, before the event is recorded. */
typedef void (*SinkHook)(Sink* sink, int32_t dispid, LumoraDispParams* params);

enum { kMaxHeard = 64 };

struct Sink {
  LumoraDispatch iface; /* first: the sink is its own dispatch face */
  uint32_t refs;
  /* When set, the sink answers IUnknown and this IID only (null: IDispatch). */
  const LumoraGuid* answers;
  SinkHook hook;
  void* context;
  int count;
  int32_t heard[kMaxHeard];
};

/* An empty sink holding one reference (the test's own). */
void SinkInit(Sink* sink, const LumoraGuid* answers, SinkHook hook, void* context);
/* How many times the sink heard dispid. */
int Heard(const Sink* sink, int32_t dispid);

#endif
