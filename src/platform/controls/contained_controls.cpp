#include "platform/controls/contained_controls.hpp"

#include "platform/controls/member_table.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {
constexpr int32_t kErrSubscript = 9;
}

int32_t ContainedControlsCollection::Count() const {
  return m_Owner.ContainedCount();
}

ObjectPtr ContainedControlsCollection::Item(int32_t index) const {
  ControlPtr control = m_Owner.ContainedAt(index);
  if (!control) Fail(kErrSubscript, "Subscript out of range");
  return control;
}

Variant ContainedControlsCollection::GetProperty(std::string_view name) {
  if (SameName(name, "Count")) return Count();
  Fail(kErrNoSuchMember);
}

Variant ContainedControlsCollection::CallMethod(std::string_view name, std::span<Variant> args) {
  if (SameName(name, "Count") && args.empty()) return Count();
  if (SameName(name, "Item")) {
    if (args.size() != 1) Fail(kErrInvalidCall);
    return Item(args[0].ToInt32());
  }
  Fail(kErrNoSuchMember);
}

}  // namespace lumora
