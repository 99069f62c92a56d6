// Test helper for every control: proves that a class's dispatch table binds
// each member of its type-library interface to a member function of the
// matching kind and type, and binds nothing else.
//
//   EXPECT_TRUE(BindingsMatchInterface(ZelPicZoom::DispatchInfo()));
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/dispatch.hpp"

namespace lumora {

inline std::string DescribeSignature(const BoundSignature& s) {
  std::string out = "(";
  for (size_t i = 0; i < s.params.size(); ++i)
    out += (i ? ", " : "") + TypeWord(s.params[i].type) + (s.params[i].byRef ? "&" : "");
  return out + ") -> " + TypeWord(s.result);
}

// What the interface declares for one slot, in the terms of a binding.
inline BoundSignature DeclaredSignature(const MemberInfo& m) {
  if (m.kind == MemberKind::Get) return {m.type, {}};
  if (m.kind != MemberKind::Method) return {TypeRef{}, {BoundParam{m.type, false}}};  // let, set
  BoundSignature s{m.type, {}};
  for (const ParamInfo& p : m.params) s.params.push_back({p.type, p.byRef});
  return s;
}

inline ::testing::AssertionResult BindingsMatchInterface(const DispatchTable& table) {
  const InterfaceInfo& iface = table.Interface();
  std::string problems;
  for (const MemberInfo& m : iface.members) {
    const std::string what = "\n  slot " + std::to_string(iface.SlotOf(m)) + " " +
                             std::string(m.name) + " (" + KindName(m.kind) + ")";
    const Binding* b = table.BindingFor(m);
    if (!b) {
      problems += what + ": not bound";
      continue;
    }
    if (b->name != m.name) problems += what + ": bound as '" + b->name + "'";
    const BoundSignature want = DeclaredSignature(m);
    if (!(b->signature.result == want.result) || b->signature.params != want.params)
      problems += what + ": declared " + DescribeSignature(want) + ", bound " +
                  DescribeSignature(b->signature);
  }
  std::set<std::pair<std::string, MemberKind>> seen;
  for (const Binding& b : table.Bindings()) {
    const std::string what = "\n  '" + b.name + "' (" + KindName(b.kind) + ") is bound ";
    const MemberInfo* m = iface.Find(b.name, b.kind);
    if (!m)
      problems += what + "but not declared";
    else if (!seen.insert({std::string(m->name), b.kind}).second)
      problems += what + "twice";
  }
  if (problems.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << iface.name << " and its bindings disagree:" << problems;
}

}  // namespace lumora
