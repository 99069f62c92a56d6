// The controls a user placed inside a container control, as the container's
// code sees them: Count and Item(i) from 0, each item reached late-bound.
#pragma once

#include <cstdint>
#include <string>

#include "platform/object.hpp"

namespace lumora {

class UserControl;

class ContainedControlsCollection final : public Object {
 public:
  explicit ContainedControlsCollection(UserControl& owner) : m_Owner(owner) {}

  int32_t Count() const;
  // The control at index (0 = the first placed, in placement order); error 9
  // ("Subscript out of range") outside 0..Count-1.
  ObjectPtr Item(int32_t index) const;

  std::string TypeName() const override { return "ContainedControls"; }
  Variant GetProperty(std::string_view name) override;                          // Count
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;  // Item

 private:
  UserControl& m_Owner;
};

}  // namespace lumora
