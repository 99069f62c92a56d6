#include "module/dual_interfaces.hpp"

#include <array>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "frame/marshal.hpp"
#include "module/com_support.hpp"
#include "module/com_variant.hpp"
#include "module/dispatch_object.hpp"
#include "module/lumora_controls.h"

namespace lumora {

namespace {

// ---- C arguments as dispatch arguments --------------------------------------

LumoraVariant Arg(uint16_t vt) {
  LumoraVariant v{};
  v.vt = vt;
  return v;
}

LumoraVariant ArgOf(int16_t x) {
  LumoraVariant v = Arg(LUMORA_VT_I2);
  v.value.i2 = x;
  return v;
}
LumoraVariant ArgOf(int32_t x) {
  LumoraVariant v = Arg(LUMORA_VT_I4);
  v.value.i4 = x;
  return v;
}
// A colour: the same 32 bits as a signed value.
LumoraVariant ArgOf(uint32_t x) {
  return ArgOf(static_cast<int32_t>(x));
}
LumoraVariant ArgOf(float x) {
  LumoraVariant v = Arg(LUMORA_VT_R4);
  v.value.r4 = x;
  return v;
}
LumoraVariant ArgOf(LumoraDispatch* x) {
  LumoraVariant v = Arg(LUMORA_VT_DISPATCH);
  v.value.dispatch = x;
  return v;
}
LumoraVariant ArgOf(const LumoraVariant& x) {
  return x;
}

constexpr uint16_t kByRef = LUMORA_VT_BYREF;
LumoraVariant ArgOf(int16_t* x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_I2);
  v.value.pi2 = x;
  return v;
}
LumoraVariant ArgOf(int32_t* x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_I4);
  v.value.pi4 = x;
  return v;
}
LumoraVariant ArgOf(uint32_t* x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_I4);
  v.value.pi4 = reinterpret_cast<int32_t*>(x);
  return v;
}
LumoraVariant ArgOf(LumoraDispatch** x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_DISPATCH);
  v.value.pdispatch = x;
  return v;
}
LumoraVariant ArgOf(char** x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_STR);
  v.value.pstr = x;
  return v;
}
LumoraVariant ArgOf(LumoraVariant* x) {
  LumoraVariant v = Arg(kByRef | LUMORA_VT_VARIANT);
  v.value.pvariant = x;
  return v;
}

// A pointer the member writes through: it must point somewhere. Objects
// passed by value may be null (Nothing).
template <class T>
constexpr bool kIsReference = std::is_pointer_v<T> && !std::is_same_v<T, LumoraDispatch*>;

template <class T>
bool NullReference(T x) {
  if constexpr (kIsReference<T>)
    return x == nullptr;
  else
    return false;
}

template <class T>
concept Passable = requires(T x) {
  ArgOf(x);
};

// ---- A property's value handed back -------------------------------------------

// Stored the way a by-reference argument receives a value (into a cleared
// out parameter).
template <class T>
void StoreResult(const LumoraVariant& result, T* out) {
  LumoraVariant ref = ArgOf(out);
  StoreByRef(FromLumoraVariant(result), ref);
}

void StoreResult(const LumoraVariant& result, LumoraVariant* out) {
  ToLumoraVariant(FromLumoraVariant(result), *out);
}

void StoreResult(const LumoraVariant& result, LumoraPicturePositions* out) {
  PicturePositions p;
  FromVariant(FromLumoraVariant(result), p);
  *out = {p.ppTop, p.ppBottom, p.ppLeft, p.ppRight};
}

void StoreResult(const LumoraVariant& result, LumoraPictureSizes* out) {
  PictureSizes s;
  FromVariant(FromLumoraVariant(result), s);
  *out = {s.psWidth, s.psHeight};
}

// ---- One slot ------------------------------------------------------------------

uint16_t FlagsOf(MemberKind kind) {
  switch (kind) {
    case MemberKind::Get: return LUMORA_DISPATCH_PROPERTYGET;
    case MemberKind::Let: return LUMORA_DISPATCH_PROPERTYPUT;
    case MemberKind::Set: return LUMORA_DISPATCH_PROPERTYPUTREF;
    case MemberKind::Method: break;
  }
  return LUMORA_DISPATCH_METHOD;
}

// The member's Invoke with the arguments in written order. A runtime error
// comes back as its own code rather than as an exception to unpack.
LumoraResult InvokeMember(DispatchObject& d, const MemberInfo& m, std::span<LumoraVariant> args,
                          LumoraVariant* result) {
  std::vector<LumoraVariant> reversed(args.rbegin(), args.rend());
  int32_t named = LUMORA_DISPID_PROPERTYPUT;
  const bool put = m.kind == MemberKind::Let || m.kind == MemberKind::Set;
  LumoraDispParams params{reversed.data(), put ? &named : nullptr,
                          static_cast<uint32_t>(reversed.size()), put ? 1u : 0u};
  LumoraExcepInfo excep{};
  const LumoraResult r = d.Invoke(m.dispid, FlagsOf(m.kind), &params, result, &excep, nullptr);
  LumoraStringFree(excep.source);
  LumoraStringFree(excep.description);
  return r == LUMORA_DISP_E_EXCEPTION ? excep.scode : r;
}

const MemberInfo* MemberAt(DispatchObject& d, size_t slot) {
  const DispatchTable* table = d.Table();
  if (!table || slot >= table->Interface().members.size()) return nullptr;
  return &table->Interface().members[slot];
}

template <class Out>
LumoraResult Read(DispatchObject& d, const MemberInfo& m, Out* out) {
  if (!out) return LUMORA_E_POINTER;
  // Out parameters arrive uninitialised; a failed read leaves them empty.
  *out = Out{};
  LumoraVariant result{};
  LumoraResult r = InvokeMember(d, m, {}, &result);
  if (LUMORA_SUCCEEDED(r)) {
    r = Guarded(LUMORA_DISP_E_TYPEMISMATCH, [&] {
      StoreResult(result, out);
      return LUMORA_S_OK;
    });
  }
  LumoraVariantClear(&result);
  return r;
}

template <class... A>
LumoraResult CallSlot(LumoraDispatch* self, size_t slot, A... a) noexcept {
  DispatchObject* d = DispatchObject::FromInterface(self);
  if (!d) return LUMORA_E_POINTER;
  const MemberInfo* m = MemberAt(*d, slot);
  if (!m) return LUMORA_E_UNEXPECTED;
  // Slots of the same C shape differ only in their member's kind: a read
  // hands its value back through the pointer, anything else passes it on.
  if (m->kind == MemberKind::Get) {
    if constexpr (sizeof...(A) == 1 && (kIsReference<A> && ...))
      return Read(*d, *m, a...);
    else
      return LUMORA_E_UNEXPECTED;
  }
  if constexpr ((Passable<A> && ...)) {
    if ((NullReference(a) || ...)) return LUMORA_E_POINTER;
    std::array<LumoraVariant, sizeof...(A)> args{ArgOf(a)...};
    return InvokeMember(*d, *m, args, nullptr);
  } else {
    return LUMORA_E_UNEXPECTED;
  }
}

template <size_t Slot, class Fn>
struct Thunk;

template <size_t Slot, class Self, class... A>
struct Thunk<Slot, LumoraResult (*)(Self*, A...)> {
  static LumoraResult Call(Self* self, A... a) {
    return CallSlot(reinterpret_cast<LumoraDispatch*>(self), Slot, a...);
  }
};

// A field's slot number from its place in the table.
constexpr size_t SlotAt(size_t offset) {
  return (offset - sizeof(LumoraDispatchVtbl)) / sizeof(void (*)());
}

#define LUMORA_PICZOOM_SLOT(name) \
  &Thunk<SlotAt(offsetof(LumoraZelPicZoomVtbl, name)), decltype(LumoraZelPicZoomVtbl::name)>::Call,
#define LUMORA_SCROLLCONTAINER_SLOT(name)                      \
  &Thunk<SlotAt(offsetof(LumoraZelScrollContainerVtbl, name)), \
         decltype(LumoraZelScrollContainerVtbl::name)>::Call,

constexpr LumoraZelPicZoomVtbl kPicZoomVtbl = {kDispatchVtbl,
                                               LUMORA_ZELPICZOOM_SLOTS(LUMORA_PICZOOM_SLOT)};
constexpr LumoraZelScrollContainerVtbl kScrollContainerVtbl = {
    kDispatchVtbl, LUMORA_ZELSCROLLCONTAINER_SLOTS(LUMORA_SCROLLCONTAINER_SLOT)};

#undef LUMORA_PICZOOM_SLOT
#undef LUMORA_SCROLLCONTAINER_SLOT

}  // namespace

const LumoraDispatchVtbl* DispatchVtblFor(const InterfaceInfo& iface) {
  if (iface.guid == PicZoomInterface().guid) return &kPicZoomVtbl.dispatch;
  if (iface.guid == ScrollContainerInterface().guid) return &kScrollContainerVtbl.dispatch;
  return &kDispatchVtbl;
}

bool IsModuleDispatchVtbl(const LumoraDispatchVtbl* vtbl) {
  return vtbl == &kDispatchVtbl || vtbl == &kPicZoomVtbl.dispatch ||
         vtbl == &kScrollContainerVtbl.dispatch;
}

}  // namespace lumora
