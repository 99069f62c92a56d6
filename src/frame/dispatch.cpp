#include "frame/dispatch.hpp"

#include <cstdio>

namespace lumora {

namespace {

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

std::string Hex(int32_t dispid) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<uint32_t>(dispid));
  return buf;
}

[[noreturn]] void FailWrongCount(const std::string& detail) {
  Fail(kErrWrongArgumentCount,
       "Wrong number of arguments or invalid property assignment: " + detail);
}

std::string Arguments(size_t n) {
  return std::to_string(n) + (n == 1 ? " argument" : " arguments");
}

// The parameter list a slot takes in a call: accessors have none (get) or the
// assigned value (let, set); methods have their declared parameters.
struct CallShape {
  size_t total = 0;
  size_t required = 0;
};

CallShape ShapeOf(const MemberInfo& m) {
  switch (m.kind) {
    case MemberKind::Get: return {0, 0};
    case MemberKind::Let:
    case MemberKind::Set: return {1, 1};
    case MemberKind::Method: break;
  }
  CallShape shape{m.params.size(), 0};
  for (size_t i = 0; i < m.params.size(); ++i)
    if (!m.params[i].optional) shape.required = i + 1;
  return shape;
}

std::string_view ParamName(const MemberInfo& m, size_t index) {
  if (m.kind != MemberKind::Method) return "value";
  return index < m.params.size() ? m.params[index].name : std::string_view("?");
}

}  // namespace

DispatchTable::DispatchTable(const InterfaceInfo& iface, std::vector<Binding> bindings)
    : m_Interface(&iface), m_Bindings(std::move(bindings)), m_BySlot(iface.members.size(), -1) {
  // The first binding of a slot wins; duplicates and strays stay visible in
  // Bindings() for the consistency check.
  for (size_t i = 0; i < m_Bindings.size(); ++i) {
    const MemberInfo* m = iface.Find(m_Bindings[i].name, m_Bindings[i].kind);
    if (!m) continue;
    int& slot = m_BySlot[iface.SlotOf(*m)];
    if (slot < 0) slot = static_cast<int>(i);
  }
}

const Binding* DispatchTable::BindingFor(const MemberInfo& member) const {
  const int32_t slot = m_Interface->SlotOf(member);
  if (slot < 0 || static_cast<size_t>(slot) >= m_BySlot.size() || m_BySlot[slot] < 0)
    return nullptr;
  return &m_Bindings[m_BySlot[slot]];
}

int32_t DispatchTable::GetIDsOfNames(std::string_view name) const {
  const MemberInfo* m = m_Interface->Find(name);
  if (!m)
    Fail(kErrNoSuchMember, DefaultDescription(kErrNoSuchMember) + ": " + Quoted(name) +
                               " is not a member of " + std::string(m_Interface->name));
  return m->dispid;
}

const MemberInfo& DispatchTable::Resolve(int32_t dispid, MemberKind kind) const {
  const MemberInfo* any = m_Interface->FindDispid(dispid);
  if (!any)
    Fail(kErrNoSuchMember, DefaultDescription(kErrNoSuchMember) + ": no member of " +
                               std::string(m_Interface->name) + " has DISPID " + Hex(dispid));
  auto has = [&](MemberKind k) { return m_Interface->FindDispid(dispid, k); };
  const MemberInfo* chosen = nullptr;
  switch (kind) {
    case MemberKind::Method:
    case MemberKind::Get:
      chosen = has(kind);
      if (!chosen) chosen = has(kind == MemberKind::Get ? MemberKind::Method : MemberKind::Get);
      if (!chosen) FailWrongCount(Quoted(any->name) + " cannot be read");
      return *chosen;
    case MemberKind::Let:
    case MemberKind::Set:
      chosen = has(kind);
      if (!chosen) chosen = has(kind == MemberKind::Let ? MemberKind::Set : MemberKind::Let);
      if (chosen) return *chosen;
      if (has(MemberKind::Get))
        Fail(kErrReadOnlyProperty, Quoted(any->name) + " property is read-only");
      FailWrongCount(Quoted(any->name) + " is a method and cannot be assigned");
  }
  FailWrongCount(Quoted(any->name));
}

Variant DispatchTable::Invoke(Object& self, int32_t dispid, MemberKind kind,
                              std::span<Variant> args) const {
  const MemberInfo& m = Resolve(dispid, kind);
  const Binding* binding = BindingFor(m);
  if (!binding)
    Fail(kErrNoSuchMember, DefaultDescription(kErrNoSuchMember) + ": " + Quoted(m.name) + " (" +
                               KindName(m.kind) + ") is not implemented");

  const CallShape shape = ShapeOf(m);
  if (args.size() < shape.required || args.size() > shape.total) {
    const std::string takes = shape.required == shape.total ? Arguments(shape.total)
                                                            : std::to_string(shape.required) +
                                                                  " to " + Arguments(shape.total);
    FailWrongCount(Quoted(m.name) + " takes " + takes + ", not " + std::to_string(args.size()));
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const bool optional = m.kind == MemberKind::Method && m.params[i].optional;
    if (args[i].IsMissing() && !optional)
      Fail(kErrArgumentNotOptional,
           "Argument not optional: " + Quoted(ParamName(m, i)) + " of " + Quoted(m.name));
  }
  if (binding->signature.params.size() != shape.total)
    FailWrongCount("the implementation of " + Quoted(m.name) + " takes " +
                   Arguments(binding->signature.params.size()) + " but its declaration has " +
                   std::to_string(shape.total));

  try {
    if (args.size() == shape.total) return binding->call(self, args);
    // Optional arguments left out arrive as Missing; the caller's own
    // arguments still see what the callee left in them.
    std::vector<Variant> full(args.begin(), args.end());
    full.resize(shape.total, Variant(Missing{}));
    Variant result = binding->call(self, full);
    std::copy_n(full.begin(), args.size(), args.begin());
    return result;
  } catch (const ArgumentFailure& failure) {
    // Still an argument failure: dispatch clients learn which argument.
    throw ArgumentFailure(failure.Index(),
                          Failure(failure.Number(), failure.Description() + " (argument " +
                                                        Quoted(ParamName(m, failure.Index())) +
                                                        " of " + Quoted(m.name) + ")"));
  }
}

Variant DispatchTable::GetProperty(Object& self, std::string_view name) const {
  return Invoke(self, GetIDsOfNames(name), MemberKind::Get, {});
}

void DispatchTable::SetProperty(Object& self, std::string_view name, const Variant& value) const {
  Variant arg = value;
  Invoke(self, GetIDsOfNames(name), value.IsObject() ? MemberKind::Set : MemberKind::Let,
         std::span<Variant>(&arg, 1));
}

Variant DispatchTable::CallMethod(Object& self, std::string_view name,
                                  std::span<Variant> args) const {
  return Invoke(self, GetIDsOfNames(name), MemberKind::Method, args);
}

const DispatchTable* DispatchTableOf(const Object& object) {
  const auto* d = dynamic_cast<const Dispatchable*>(&object);
  return d ? &d->DispatchInfo() : nullptr;
}

}  // namespace lumora
