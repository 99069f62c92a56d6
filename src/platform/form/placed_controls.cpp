#include "platform/form/placed_controls.hpp"

namespace lumora {

namespace {

// The key SameName agrees with: ASCII letters folded, nothing else.
std::string Folded(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

}  // namespace

void PlacedControls::Add(const ControlPtr& control) {
  m_Slot[control.get()] = m_Order.size();
  m_ByName[Folded(control->Name())] = m_Order.size();
  m_Order.push_back(control);
}

void PlacedControls::Remove(const Control& control) {
  const auto slot = m_Slot.find(&control);
  if (slot == m_Slot.end()) return;
  m_ByName.erase(Folded(control.Name()));
  m_Order[slot->second].reset();
  m_Slot.erase(slot);
  if (++m_Empty > m_Order.size() / 2) Compact();
}

bool PlacedControls::Contains(const Control& control) const {
  return m_Slot.contains(&control);
}

Control* PlacedControls::Find(std::string_view name) const {
  const auto slot = m_ByName.find(Folded(name));
  return slot == m_ByName.end() ? nullptr : m_Order[slot->second].lock().get();
}

std::vector<ControlPtr> PlacedControls::List() const {
  std::vector<ControlPtr> list;
  list.reserve(m_Order.size() - m_Empty);
  for (const auto& weak : m_Order)
    if (auto c = weak.lock()) list.push_back(std::move(c));
  return list;
}

void PlacedControls::Compact() {
  std::vector<std::weak_ptr<Control>> kept;
  kept.reserve(m_Order.size() - m_Empty);
  m_Slot.clear();
  m_ByName.clear();
  for (auto& weak : m_Order) {
    const auto c = weak.lock();
    if (!c) continue;
    m_Slot[c.get()] = kept.size();
    m_ByName[Folded(c->Name())] = kept.size();
    kept.push_back(std::move(weak));
  }
  m_Order = std::move(kept);
  m_Empty = 0;
}

}  // namespace lumora
