// Shared pieces of the module's C interface: GUID conversions, the result code
// of a runtime failure, and the count of live objects and locks that decides
// whether the module may be unloaded.
#pragma once

#include <cstdint>
#include <new>
#include <string>

#include "frame/guid.hpp"
#include "module/lumora_module.h"
#include "platform/errors.hpp"

namespace lumora {

Guid FromLumoraGuid(const LumoraGuid& guid);
LumoraGuid ToLumoraGuid(const Guid& guid);
bool SameGuid(const LumoraGuid* a, const LumoraGuid& b);

// The code a failed late-bound call returns: the errors of dispatch itself
// (no such member, argument count, type, overflow, ...) have codes of their
// own; anything else the member raised is LUMORA_DISP_E_EXCEPTION, with the
// error described in the exception information.
LumoraResult DispatchResultOf(const Failure& failure);

// Live objects (factories, instances, wrapped objects) and server locks,
// counted for DllCanUnloadNow. Thread-safe.
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
bool ModuleInUse();

// Runs a call at the C boundary: a Failure becomes onFailure, running out of
// memory LUMORA_E_OUTOFMEMORY, anything else LUMORA_E_UNEXPECTED.
template <class Call>
LumoraResult Guarded(LumoraResult onFailure, Call&& call) noexcept {
  try {
    return call();
  } catch (const Failure&) {
    return onFailure;
  } catch (const std::bad_alloc&) {
    return LUMORA_E_OUTOFMEMORY;
  } catch (...) {
    return LUMORA_E_UNEXPECTED;
  }
}

}  // namespace lumora
