#include "platform/controls/member_table.hpp"

#include "platform/errors.hpp"
#include "platform/object.hpp"

namespace lumora {

namespace {
constexpr int32_t kErrReadOnly = 383;
constexpr int32_t kErrWrongUse = 450;

// The first eight characters of a name, ASCII letters folded to lower case.
uint64_t FoldedPrefix(std::string_view name) {
  uint64_t prefix = 0;
  const size_t n = name.size() < 8 ? name.size() : 8;
  for (size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    prefix |= uint64_t{c} << (8 * i);
  }
  return prefix;
}

size_t Slot(uint64_t prefix, size_t length, size_t mask) {
  return static_cast<size_t>(((prefix ^ length) * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

}  // namespace

MemberTable::MemberTable(const MemberTable* base, std::vector<Member> members)
    : m_Base(base), m_Members(std::move(members)) {
  size_t count = m_Members.size();
  if (m_Base) count += m_Base->m_Index.size();
  size_t slots = 8;
  while (slots < 2 * count) slots *= 2;
  m_Index.resize(slots);
  // The first of a name wins: this table's own, then the nearest base's.
  for (const Member& member : m_Members) Index(member);
  if (m_Base)
    for (const IndexEntry& entry : m_Base->m_Index)
      if (entry.member) Index(*entry.member);
}

void MemberTable::Index(const Member& member) {
  if (Find(member.name)) return;
  const uint64_t prefix = FoldedPrefix(member.name);
  const size_t mask = m_Index.size() - 1;
  size_t slot = Slot(prefix, member.name.size(), mask);
  while (m_Index[slot].member) slot = (slot + 1) & mask;
  m_Index[slot] = {prefix, member.name.size(), &member};
}

const Member* MemberTable::Find(std::string_view name) const {
  const uint64_t prefix = FoldedPrefix(name);
  const size_t mask = m_Index.size() - 1;
  for (size_t slot = Slot(prefix, name.size(), mask); m_Index[slot].member;
       slot = (slot + 1) & mask) {
    const IndexEntry& entry = m_Index[slot];
    if (entry.prefix == prefix && entry.length == name.size() &&
        (name.size() <= 8 || SameName(entry.member->name, name)))
      return entry.member;
  }
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
