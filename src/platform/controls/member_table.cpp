#include "platform/controls/member_table.hpp"

#include "platform/errors.hpp"
#include "platform/object.hpp"

namespace lumora {

namespace {
constexpr int32_t kErrReadOnly = 383;
constexpr int32_t kErrWrongUse = 450;
}  // namespace

MemberTable::MemberTable(const MemberTable* base, std::vector<Member> members)
    : m_Base(base), m_Members(std::move(members)) {}

const Member* MemberTable::Find(std::string_view name) const {
  for (const MemberTable* table = this; table; table = table->m_Base)
    for (const Member& member : table->m_Members)
      if (SameName(member.name, name)) return &member;
  return nullptr;
}

Variant MemberTable::Get(Object& self, std::string_view name) const {
  const Member* member = Find(name);
  if (!member) Fail(kErrNoSuchMember);
  if (member->get) return member->get(self);
  // A method without arguments may be read like a property.
  if (member->call) return member->call(self, {});
  Fail(kErrWrongUse, "Wrong number of arguments or invalid property assignment");
}

void MemberTable::Set(Object& self, std::string_view name, const Variant& value) const {
  const Member* member = Find(name);
  if (!member) Fail(kErrNoSuchMember);
  if (member->call) Fail(kErrWrongUse, "Wrong number of arguments or invalid property assignment");
  if (!member->set) Fail(kErrReadOnly, "Can't set read-only property");
  member->set(self, value);
}

Variant MemberTable::Call(Object& self, std::string_view name, std::span<Variant> args) const {
  const Member* member = Find(name);
  if (!member) Fail(kErrNoSuchMember);
  if (member->call) return member->call(self, args);
  if (member->get && args.empty()) return member->get(self);
  Fail(kErrWrongUse, "Wrong number of arguments or invalid property assignment");
}

Variant ArgOrMissing(std::span<Variant> args, size_t index) {
  return index < args.size() ? args[index] : Variant(Missing{});
}

}  // namespace lumora
