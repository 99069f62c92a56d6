#include "module/com_variant.hpp"

#include <cstdlib>
#include <cstring>
#include <string>

#include "module/dispatch_object.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

Variant FromDispatch(LumoraDispatch* dispatch) {
  if (!dispatch) return Variant(nullptr);
  const DispatchObject* object = DispatchObject::FromInterface(dispatch);
  if (!object) Fail(kErrTypeMismatch, "An object from another library cannot be passed here");
  return Variant(object->Target());
}

LumoraDispatch* ToDispatch(const Variant& value) {
  ObjectPtr object = value.ToObject();
  return object ? DispatchObject::Wrap(std::move(object)) : nullptr;
}

char* NewString(const std::string& text) {
  // Strings carry no embedded NUL: the text up to one is what C sees anyway.
  char* copy = LumoraStringAlloc(text.c_str());
  if (!copy) throw std::bad_alloc();
  return copy;
}

template <class T>
T* Target(T* pointer) {
  if (!pointer) Fail(kErrTypeMismatch, "A by-reference argument points nowhere");
  return pointer;
}

}  // namespace

Variant FromLumoraVariant(const LumoraVariant& v) {
  const bool byRef = (v.vt & LUMORA_VT_BYREF) != 0;
  const uint16_t type = v.vt & ~LUMORA_VT_BYREF;
  const auto& u = v.value;
  if (byRef) {
    switch (type) {
      case LUMORA_VT_UI1: return Variant(*Target(u.pui1));
      case LUMORA_VT_I2: return Variant(*Target(u.pi2));
      case LUMORA_VT_I4: return Variant(*Target(u.pi4));
      case LUMORA_VT_R4: return Variant(*Target(u.pr4));
      case LUMORA_VT_R8: return Variant(*Target(u.pr8));
      case LUMORA_VT_BOOL: return Variant(*Target(u.pboolean) != 0);
      case LUMORA_VT_STR: return Variant(std::string(*Target(u.pstr) ? *u.pstr : ""));
      case LUMORA_VT_DISPATCH: return FromDispatch(*Target(u.pdispatch));
      case LUMORA_VT_VARIANT: {
        const LumoraVariant& inner = *Target(u.pvariant);
        if (inner.vt & LUMORA_VT_BYREF) Fail(kErrTypeMismatch, "A variant refers to a reference");
        return FromLumoraVariant(inner);
      }
      default: break;
    }
  } else {
    switch (type) {
      case LUMORA_VT_EMPTY: return Variant();
      case LUMORA_VT_UI1: return Variant(u.ui1);
      case LUMORA_VT_I2: return Variant(u.i2);
      case LUMORA_VT_I4: return Variant(u.i4);
      case LUMORA_VT_R4: return Variant(u.r4);
      case LUMORA_VT_R8: return Variant(u.r8);
      case LUMORA_VT_BOOL: return Variant(u.boolean != 0);
      case LUMORA_VT_STR: return Variant(std::string(u.str ? u.str : ""));
      case LUMORA_VT_DISPATCH: return FromDispatch(u.dispatch);
      case LUMORA_VT_ERROR:
        if (u.error == LUMORA_DISP_E_PARAMNOTFOUND) return Variant(Missing{});
        Fail(kErrTypeMismatch, "An error value cannot be passed here");
      default: break;
    }
  }
  throw BadVariantType(kErrTypeMismatch,
                       "Variant type " + std::to_string(v.vt) + " is not supported");
}

void ToLumoraVariant(const Variant& value, LumoraVariant& out) {
  LumoraVariantInit(&out);
  switch (value.GetKind()) {
    case Variant::Kind::Empty: return;
    case Variant::Kind::Missing:
      out.vt = LUMORA_VT_ERROR;
      out.value.error = LUMORA_DISP_E_PARAMNOTFOUND;
      return;
    case Variant::Kind::Boolean:
      out.vt = LUMORA_VT_BOOL;
      out.value.boolean = value.ToBool() ? -1 : 0;
      return;
    case Variant::Kind::Byte:
      out.vt = LUMORA_VT_UI1;
      out.value.ui1 = value.ToByte();
      return;
    case Variant::Kind::Integer:
      out.vt = LUMORA_VT_I2;
      out.value.i2 = value.ToInt16();
      return;
    case Variant::Kind::Long:
      out.vt = LUMORA_VT_I4;
      out.value.i4 = value.ToInt32();
      return;
    case Variant::Kind::Single:
      out.vt = LUMORA_VT_R4;
      out.value.r4 = value.ToSingle();
      return;
    case Variant::Kind::Double:
      out.vt = LUMORA_VT_R8;
      out.value.r8 = value.ToDouble();
      return;
    case Variant::Kind::String:
      out.value.str = NewString(value.ToString());
      out.vt = LUMORA_VT_STR;
      return;
    case Variant::Kind::Object:
      out.value.dispatch = ToDispatch(value);
      out.vt = LUMORA_VT_DISPATCH;
      return;
  }
}

void StoreByRef(const Variant& value, LumoraVariant& arg) {
  auto& u = arg.value;
  switch (arg.vt & ~LUMORA_VT_BYREF) {
    case LUMORA_VT_UI1: *Target(u.pui1) = value.ToByte(); return;
    case LUMORA_VT_I2: *Target(u.pi2) = value.ToInt16(); return;
    case LUMORA_VT_I4: *Target(u.pi4) = value.ToInt32(); return;
    case LUMORA_VT_R4: *Target(u.pr4) = value.ToSingle(); return;
    case LUMORA_VT_R8: *Target(u.pr8) = value.ToDouble(); return;
    case LUMORA_VT_BOOL: *Target(u.pboolean) = value.ToBool() ? -1 : 0; return;
    case LUMORA_VT_STR: {
      char* fresh = NewString(value.ToString());
      LumoraStringFree(*Target(u.pstr));
      *u.pstr = fresh;
      return;
    }
    case LUMORA_VT_DISPATCH: {
      LumoraDispatch* fresh = ToDispatch(value);
      LumoraDispatch* old = *Target(u.pdispatch);
      *u.pdispatch = fresh;
      if (old) old->vtbl->Release(old);
      return;
    }
    case LUMORA_VT_VARIANT: {
      LumoraVariant fresh;
      ToLumoraVariant(value, fresh);
      LumoraVariantClear(Target(u.pvariant));
      *u.pvariant = fresh;
      return;
    }
    default: Fail(kErrTypeMismatch);
  }
}

LumoraVariant ByRefTo(LumoraVariant& target) {
  LumoraVariant ref{};
  ref.vt = static_cast<uint16_t>(target.vt | LUMORA_VT_BYREF);
  auto& u = target.value;
  switch (target.vt) {
    case LUMORA_VT_UI1: ref.value.pui1 = &u.ui1; break;
    case LUMORA_VT_I2: ref.value.pi2 = &u.i2; break;
    case LUMORA_VT_I4: ref.value.pi4 = &u.i4; break;
    case LUMORA_VT_R4: ref.value.pr4 = &u.r4; break;
    case LUMORA_VT_R8: ref.value.pr8 = &u.r8; break;
    case LUMORA_VT_BOOL: ref.value.pboolean = &u.boolean; break;
    case LUMORA_VT_STR: ref.value.pstr = &u.str; break;
    case LUMORA_VT_DISPATCH: ref.value.pdispatch = &u.dispatch; break;
    default:
      ref.vt = LUMORA_VT_BYREF | LUMORA_VT_VARIANT;
      ref.value.pvariant = &target;
      break;
  }
  return ref;
}

}  // namespace lumora

extern "C" {

LUMORA_EXPORT char* LumoraStringAlloc(const char* text) {
  if (!text) text = "";
  const size_t size = std::strlen(text) + 1;
  // malloc, not new: C callers free these with LumoraStringFree from any code.
  auto* copy = static_cast<char*>(std::malloc(size));
  if (copy) std::memcpy(copy, text, size);
  return copy;
}

LUMORA_EXPORT void LumoraStringFree(char* text) {
  std::free(text);
}

LUMORA_EXPORT void LumoraVariantInit(LumoraVariant* v) {
  if (v) *v = LumoraVariant{};
}

LUMORA_EXPORT LumoraResult LumoraVariantClear(LumoraVariant* v) {
  if (!v) return LUMORA_E_POINTER;
  if (v->vt == LUMORA_VT_STR) LumoraStringFree(v->value.str);
  if (v->vt == LUMORA_VT_DISPATCH && v->value.dispatch)
    v->value.dispatch->vtbl->Release(v->value.dispatch);
  *v = LumoraVariant{};
  return LUMORA_S_OK;
}
}
