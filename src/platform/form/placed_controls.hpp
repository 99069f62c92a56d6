// The controls placed on a form, in placement order, found by name
// (case-insensitive) and by identity without scanning: forms may hold tens of
// thousands of controls.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/control.hpp"

namespace lumora {

class PlacedControls {
 public:
  // Lists a control under its name, which must not be listed yet.
  void Add(const ControlPtr& control);
  // Drops a control from the list; nothing happens if it is not listed.
  void Remove(const Control& control);
  bool Contains(const Control& control) const;
  Control* Find(std::string_view name) const;
  // The live controls in placement order.
  std::vector<ControlPtr> List() const;

 private:
  void Compact();

  struct Entry {
    std::weak_ptr<Control> control;
    const Control* identity = nullptr;  // null once removed
    std::string key;                    // the folded name
  };
  // Removed controls leave empty slots: dropped at once from the end (as
  // unloading goes), squeezed out elsewhere once they are the most.
  std::vector<Entry> m_Order;
  size_t m_Empty = 0;
  std::unordered_map<const Control*, size_t> m_Slot;
  std::unordered_map<std::string, size_t> m_ByName;  // names with A-Z folded
};

}  // namespace lumora
