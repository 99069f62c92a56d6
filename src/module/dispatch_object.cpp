#include "module/dispatch_object.hpp"

#include "module/com_support.hpp"
#include "module/com_variant.hpp"
#include "module/dual_interfaces.hpp"
#include "module/event_points.hpp"
#include "platform/form/form.hpp"

namespace lumora {

namespace {

DispatchObject* Self(LumoraDispatch* iface) {
  return DispatchObject::FromInterface(iface);
}

}  // namespace

namespace dispatch_slots {

LumoraResult QueryInterface(LumoraDispatch* self, const LumoraGuid* iid, void** object) {
  DispatchObject* d = Self(self);
  return d ? d->QueryInterface(iid, object) : LUMORA_E_POINTER;
}

uint32_t AddRef(LumoraDispatch* self) {
  DispatchObject* d = Self(self);
  return d ? d->AddRef() : 0;
}

uint32_t Release(LumoraDispatch* self) {
  DispatchObject* d = Self(self);
  return d ? d->Release() : 0;
}

LumoraResult GetTypeInfoCount(LumoraDispatch*, uint32_t* count) {
  if (!count) return LUMORA_E_POINTER;
  *count = 0;
  return LUMORA_S_OK;
}

LumoraResult GetTypeInfo(LumoraDispatch*, uint32_t, uint32_t, void** info) {
  if (info) *info = nullptr;
  return LUMORA_E_NOTIMPL;
}

LumoraResult GetIDsOfNames(LumoraDispatch* self, const LumoraGuid*, const char** names,
                           uint32_t count, uint32_t, int32_t* dispids) {
  DispatchObject* d = Self(self);
  if (!d) return LUMORA_E_POINTER;
  return Guarded(LUMORA_DISP_E_UNKNOWNNAME,
                 [&] { return d->GetIDsOfNames(names, count, dispids); });
}

LumoraResult Invoke(LumoraDispatch* self, int32_t dispid, const LumoraGuid*, uint32_t,
                    uint16_t flags, LumoraDispParams* params, LumoraVariant* result,
                    LumoraExcepInfo* excepInfo, uint32_t* argErr) {
  DispatchObject* d = Self(self);
  return d ? d->Invoke(dispid, flags, params, result, excepInfo, argErr) : LUMORA_E_POINTER;
}

}  // namespace dispatch_slots

namespace {

// Members of objects without a table are numbered from here, in the order
// clients ask for them.
constexpr int32_t kFirstNamedDispid = 1;

// The slot kind a call asks for. Clients often pass method and get together
// for "call it or read it"; with no arguments that is a read.
bool KindOf(uint16_t flags, const LumoraDispParams& params, MemberKind& kind) {
  const bool put = flags & LUMORA_DISPATCH_PROPERTYPUT;
  const bool putRef = flags & LUMORA_DISPATCH_PROPERTYPUTREF;
  if (put || putRef) {
    const bool objectValue =
        params.argCount > 0 && (params.args[0].vt & ~LUMORA_VT_BYREF) == LUMORA_VT_DISPATCH;
    kind = putRef && (!put || objectValue) ? MemberKind::Set : MemberKind::Let;
    return true;
  }
  const bool method = flags & LUMORA_DISPATCH_METHOD;
  const bool get = flags & LUMORA_DISPATCH_PROPERTYGET;
  if (!method && !get) return false;
  kind = get && (!method || params.argCount == 0) ? MemberKind::Get : MemberKind::Method;
  return true;
}

}  // namespace

LumoraDispatch* DispatchObject::Wrap(ObjectPtr object, std::shared_ptr<Form> site) {
  // Owned by its references from here on: the last Release deletes it.
  return std::make_unique<DispatchObject>(std::move(object), std::move(site))
      .release()
      ->Interface();
}

DispatchObject* DispatchObject::FromInterface(LumoraDispatch* iface) {
  if (!iface || !IsModuleDispatchVtbl(iface->vtbl)) return nullptr;
  return reinterpret_cast<Com*>(iface)->self;
}

DispatchObject::DispatchObject(ObjectPtr object, std::shared_ptr<Form> site)
    : m_Com{{&kDispatchVtbl}, this},
      m_Object(std::move(object)),
      m_Site(std::move(site)),
      m_Table(m_Object ? DispatchTableOf(*m_Object) : nullptr) {
  // Objects with a dual interface are called through its table, which
  // begins with the dispatch slots.
  if (m_Table) m_Com.iface.vtbl = DispatchVtblFor(m_Table->Interface());
  ObjectCreated();
}

DispatchObject::~DispatchObject() {
  // Sinks go first: unloading raises no event into a client holding none of
  // this object any more.
  m_Points.reset();
  if (m_Site) {
    try {
      m_Site->Unload();
    } catch (...) {
      // Unloading runs the control's Terminate, which ignores its own errors;
      // nothing may escape a release.
    }
  }
  ObjectDestroyed();
}

uint32_t DispatchObject::AddRef() {
  return ++m_Refs;
}

uint32_t DispatchObject::Release() {
  const uint32_t left = --m_Refs;
  if (left == 0) std::unique_ptr<DispatchObject> last(this);
  return left;
}

LumoraResult DispatchObject::QueryInterface(const LumoraGuid* iid, void** object) {
  if (!object) return LUMORA_E_POINTER;
  *object = nullptr;
  if (SameGuid(iid, LumoraIID_IConnectionPointContainer)) {
    return Guarded(LUMORA_E_FAIL, [&] {
      EventPoints* points = Points();
      if (!points) return LUMORA_E_NOINTERFACE;
      AddRef();
      *object = points->Container();
      return LUMORA_S_OK;
    });
  }
  const bool known = SameGuid(iid, LumoraIID_IUnknown) || SameGuid(iid, LumoraIID_IDispatch) ||
                     (iid && m_Table && FromLumoraGuid(*iid) == m_Table->Interface().guid);
  if (!known) return LUMORA_E_NOINTERFACE;
  AddRef();
  *object = Interface();
  return LUMORA_S_OK;
}

EventPoints* DispatchObject::Points() {
  if (!m_PointsLooked) {
    m_Points = EventPoints::For(*this);
    m_PointsLooked = true;
  }
  return m_Points.get();
}

LumoraResult DispatchObject::GetIDsOfNames(const char** names, uint32_t count, int32_t* dispids) {
  if (!names || !dispids) return LUMORA_E_INVALIDARG;
  if (count == 0) return LUMORA_S_OK;
  for (uint32_t i = 0; i < count; ++i) dispids[i] = LUMORA_DISPID_UNKNOWN;
  // Only the member is resolved: calls take their arguments by position.
  const LumoraResult result = count > 1 ? LUMORA_DISP_E_UNKNOWNNAME : LUMORA_S_OK;
  if (!names[0]) return LUMORA_E_INVALIDARG;
  const std::string_view name = names[0];
  if (m_Table) {
    if (!m_Table->HasMember(name)) return LUMORA_DISP_E_UNKNOWNNAME;
    dispids[0] = m_Table->GetIDsOfNames(name);
    return result;
  }
  size_t index = 0;
  while (index < m_Names.size() && !SameName(m_Names[index], name)) ++index;
  if (index == m_Names.size()) m_Names.emplace_back(name);
  dispids[0] = kFirstNamedDispid + static_cast<int32_t>(index);
  return result;
}

Variant DispatchObject::Call(int32_t dispid, MemberKind kind, std::vector<Variant>& args) {
  if (m_Table) return m_Table->Invoke(*m_Object, dispid, kind, args);
  const int64_t index = int64_t{dispid} - kFirstNamedDispid;
  if (index < 0 || index >= static_cast<int64_t>(m_Names.size())) Fail(kErrNoSuchMember);
  const std::string& name = m_Names[static_cast<size_t>(index)];
  switch (kind) {
    case MemberKind::Get:
      if (!args.empty()) break;
      return m_Object->GetProperty(name);
    case MemberKind::Let:
    case MemberKind::Set:
      if (args.size() != 1) break;
      m_Object->SetProperty(name, args[0]);
      return {};
    case MemberKind::Method: return m_Object->CallMethod(name, args);
  }
  Fail(kErrWrongArgumentCount);
}

LumoraResult DispatchObject::Invoke(int32_t dispid, uint16_t flags, LumoraDispParams* params,
                                    LumoraVariant* result, LumoraExcepInfo* excepInfo,
                                    uint32_t* argErr) {
  if (result) LumoraVariantInit(result);
  if (!params || (params->argCount && !params->args) ||
      (params->namedArgCount && !params->namedArgs))
    return LUMORA_E_INVALIDARG;
  MemberKind kind = MemberKind::Method;
  if (!KindOf(flags, *params, kind)) return LUMORA_E_INVALIDARG;
  const bool put = kind == MemberKind::Let || kind == MemberKind::Set;
  if (put) {
    if (params->argCount == 0) return LUMORA_DISP_E_PARAMNOTOPTIONAL;
    if (params->namedArgCount != 1 || params->namedArgs[0] != LUMORA_DISPID_PROPERTYPUT)
      return LUMORA_DISP_E_PARAMNOTFOUND;
  } else if (params->namedArgCount != 0) {
    return LUMORA_DISP_E_NONAMEDARGS;
  }

  // Dispatch passes the arguments last first; argErr counts the same way.
  const uint32_t n = params->argCount;
  auto arg = [&](uint32_t i) -> LumoraVariant& { return params->args[n - 1 - i]; };
  auto blame = [&](size_t i) {
    if (argErr && i < n) *argErr = n - 1 - static_cast<uint32_t>(i);
  };
  std::vector<Variant> args(n);
  for (uint32_t i = 0; i < n; ++i) {
    try {
      args[i] = FromLumoraVariant(arg(i));
    } catch (const BadVariantType&) {
      blame(i);
      return LUMORA_DISP_E_BADVARTYPE;
    } catch (const Failure&) {
      blame(i);
      return LUMORA_DISP_E_TYPEMISMATCH;
    } catch (const std::bad_alloc&) {
      return LUMORA_E_OUTOFMEMORY;
    }
  }
  auto failed = [&](const Failure& failure) {
    const LumoraResult code = DispatchResultOf(failure);
    if (code == LUMORA_DISP_E_EXCEPTION && excepInfo) {
      *excepInfo = LumoraExcepInfo{};
      excepInfo->source = LumoraStringAlloc("OrvaneLumora");
      excepInfo->description = LumoraStringAlloc(failure.Description().c_str());
      excepInfo->scode = LUMORA_RUNTIME_ERROR(failure.Number());
    }
    return code;
  };
  try {
    const Variant value = Call(dispid, kind, args);
    for (uint32_t i = 0; i < n; ++i) {
      if (!(arg(i).vt & LUMORA_VT_BYREF)) continue;
      try {
        StoreByRef(args[i], arg(i));
      } catch (const Failure& failure) {
        throw ArgumentFailure(i, failure);
      }
    }
    if (result && !put) ToLumoraVariant(value, *result);
    return LUMORA_S_OK;
  } catch (const ArgumentFailure& failure) {
    blame(failure.Index());
    return failed(failure);
  } catch (const Failure& failure) {
    return failed(failure);
  } catch (const std::bad_alloc&) {
    return LUMORA_E_OUTOFMEMORY;
  } catch (...) {
    return LUMORA_E_UNEXPECTED;
  }
}

}  // namespace lumora
