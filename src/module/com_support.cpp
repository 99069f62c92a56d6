#include "module/com_support.hpp"

#include <algorithm>
#include <atomic>

#include "frame/dispatch.hpp"

namespace lumora {

namespace {

std::atomic<int64_t> g_LiveObjects{0};
std::atomic<int64_t> g_Locks{0};

constexpr LumoraGuid kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr LumoraGuid kIClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr LumoraGuid kIDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr LumoraGuid kIConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr LumoraGuid kIEnumConnectionPoints = {
    0xB196B285, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr LumoraGuid kIConnectionPoint = {
    0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

}  // namespace

Guid FromLumoraGuid(const LumoraGuid& guid) {
  Guid g;
  g.data1 = guid.data1;
  g.data2 = guid.data2;
  g.data3 = guid.data3;
  std::copy(std::begin(guid.data4), std::end(guid.data4), g.data4.begin());
  return g;
}

LumoraGuid ToLumoraGuid(const Guid& guid) {
  LumoraGuid g{guid.data1, guid.data2, guid.data3, {}};
  std::copy(guid.data4.begin(), guid.data4.end(), std::begin(g.data4));
  return g;
}

bool SameGuid(const LumoraGuid* a, const LumoraGuid& b) {
  return a && FromLumoraGuid(*a) == FromLumoraGuid(b);
}

LumoraResult DispatchResultOf(const Failure& failure) {
  switch (failure.Number()) {
    case kErrNoSuchMember:
    case kErrReadOnlyProperty: return LUMORA_DISP_E_MEMBERNOTFOUND;
    case kErrWrongArgumentCount: return LUMORA_DISP_E_BADPARAMCOUNT;
    case kErrArgumentNotOptional: return LUMORA_DISP_E_PARAMNOTOPTIONAL;
    case kErrTypeMismatch: return LUMORA_DISP_E_TYPEMISMATCH;
    case kErrOverflow: return LUMORA_DISP_E_OVERFLOW;
    case kErrOutOfMemory: return LUMORA_E_OUTOFMEMORY;
    default: return LUMORA_DISP_E_EXCEPTION;
  }
}

void ObjectCreated() {
  ++g_LiveObjects;
}

void ObjectDestroyed() {
  --g_LiveObjects;
}

void LockModule(bool lock) {
  if (lock) {
    ++g_Locks;
  } else {
    // An unlock without a lock is ignored rather than pinning the count below zero.
    int64_t locks = g_Locks.load();
    while (locks > 0 && !g_Locks.compare_exchange_weak(locks, locks - 1)) {
    }
  }
}

bool ModuleInUse() {
  return g_LiveObjects.load() > 0 || g_Locks.load() > 0;
}

}  // namespace lumora

extern "C" {
const LumoraGuid LumoraIID_IUnknown = lumora::kIUnknown;
const LumoraGuid LumoraIID_IClassFactory = lumora::kIClassFactory;
const LumoraGuid LumoraIID_IDispatch = lumora::kIDispatch;
const LumoraGuid LumoraIID_IConnectionPointContainer = lumora::kIConnectionPointContainer;
const LumoraGuid LumoraIID_IEnumConnectionPoints = lumora::kIEnumConnectionPoints;
const LumoraGuid LumoraIID_IConnectionPoint = lumora::kIConnectionPoint;
}
