// The late-bound face of a control class: its properties and methods by name
// (compared without regard to case), each bound to the class's own accessors.
// A class's table chains to its base class's table; its rows are made with
// Property and Method (member_rows.hpp).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/variant.hpp"

namespace lumora {

class Object;

struct Member {
  std::string_view name;
  std::function<Variant(Object&)> get;                       // empty: not readable
  std::function<void(Object&, const Variant&)> set;          // empty: read-only
  std::function<Variant(Object&, std::span<Variant>)> call;  // set for methods only
};

class MemberTable {
 public:
  MemberTable(const MemberTable* base, std::vector<Member> members);
  MemberTable(const MemberTable&) = delete;  // the index points into m_Members
  MemberTable& operator=(const MemberTable&) = delete;

  // The member of that name, looked up in this table and then in its bases;
  // null when the class lacks it.
  const Member* Find(std::string_view name) const;

  // Late-bound access that fails like the runtime does: 438 for a member the
  // class lacks, 383 for writing a read-only property, 450 for calling a
  // property or reading a method, and whatever the accessor itself raises.
  Variant Get(Object& self, std::string_view name) const;
  void Set(Object& self, std::string_view name, const Variant& value) const;
  Variant Call(Object& self, std::string_view name, std::span<Variant> args) const;

 private:
  const MemberTable* m_Base;
  std::vector<Member> m_Members;
  // Every member reachable from this table (its own, then its bases' that it
  // does not redefine), in an open-addressed table keyed by length and the
  // first eight letters folded to lower case: late-bound calls look names up
  // all the time, and this costs a multiplication and a compare or two.
  struct IndexEntry {
    uint64_t prefix = 0;
    size_t length = 0;
    const Member* member = nullptr;  // null: an empty slot
  };
  void Index(const Member& member);
  std::vector<IndexEntry> m_Index;
};

// The argument at index as given, or Missing when the caller passed fewer.
Variant ArgOrMissing(std::span<Variant> args, size_t index);

}  // namespace lumora
