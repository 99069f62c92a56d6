// Late-bound calls on an object through its type-library interface: names to
// DISPIDs (without regard to case), and Invoke for methods and property get,
// let and set, with optional arguments left out and arguments by reference.
// A control builds its table once with Bindings<T> (binding.hpp).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frame/type_library.hpp"
#include "platform/errors.hpp"
#include "platform/object.hpp"

namespace lumora {

// Error numbers of late-bound calls, beyond the runtime's.
inline constexpr int32_t kErrReadOnlyProperty = 383;
inline constexpr int32_t kErrArgumentNotOptional = 449;
inline constexpr int32_t kErrWrongArgumentCount = 450;

// The C++ side of a binding, in type-library terms.
struct BoundParam {
  TypeRef type;
  bool byRef = false;  // a non-const lvalue reference: the callee may change it
  bool operator==(const BoundParam&) const = default;
};

struct BoundSignature {
  TypeRef result;
  std::vector<BoundParam> params;
};

// One member function bound to one slot kind of a type-library member. `call`
// receives exactly the member's arguments (optional ones filled with Missing)
// and writes changed by-reference arguments back.
struct Binding {
  std::string name;
  MemberKind kind = MemberKind::Method;
  BoundSignature signature;
  std::function<Variant(Object& self, std::span<Variant> args)> call;
};

// A failure converting argument `index` of a bound call (in written order);
// Invoke passes it on with the member and the parameter named.
class ArgumentFailure : public Failure {
 public:
  ArgumentFailure(size_t index, const Failure& cause)
      : Failure(cause.Number(), cause.Description()), m_Index(index) {}
  size_t Index() const { return m_Index; }

 private:
  size_t m_Index;
};

class DispatchTable {
 public:
  DispatchTable(const InterfaceInfo& iface, std::vector<Binding> bindings);

  const InterfaceInfo& Interface() const { return *m_Interface; }
  std::span<const Binding> Bindings() const { return m_Bindings; }
  // The binding of one slot, or null when the slot is not bound.
  const Binding* BindingFor(const MemberInfo& member) const;

  // The DISPID of a member name; an unknown name fails with 438.
  int32_t GetIDsOfNames(std::string_view name) const;
  bool HasMember(std::string_view name) const { return m_Interface->Find(name) != nullptr; }

  // Calls a member. Get and Method may stand in for each other (reading a
  // property with call syntax, calling a method as a value); Let and Set fall
  // back to each other when the property has only one writer. For Let and Set
  // the value is the last (only) argument. Fails with 438 (no such DISPID, or
  // not bound), 450 (argument count, or assigning to a method), 449 (a
  // required argument left out), 383 (assigning a read-only property), 13 or 6
  // (an argument that does not convert); failures of the member itself pass
  // through unchanged.
  Variant Invoke(Object& self, int32_t dispid, MemberKind kind, std::span<Variant> args) const;

  // By name, as the runtime's Object interface calls.
  Variant GetProperty(Object& self, std::string_view name) const;
  void SetProperty(Object& self, std::string_view name, const Variant& value) const;
  Variant CallMethod(Object& self, std::string_view name, std::span<Variant> args) const;

 private:
  const MemberInfo& Resolve(int32_t dispid, MemberKind kind) const;

  const InterfaceInfo* m_Interface;
  std::vector<Binding> m_Bindings;
  std::vector<int> m_BySlot;  // index into m_Bindings, -1 when unbound
};

// Implemented by objects that publish a type-library interface, so that a host
// holding only an Object can find their table (see DispatchTableOf).
class Dispatchable {
 public:
  virtual ~Dispatchable() = default;
  virtual const DispatchTable& DispatchInfo() const = 0;
};

// The table of an object that publishes one; null for any other object.
const DispatchTable* DispatchTableOf(const Object& object);

}  // namespace lumora
