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
  std::string key = Folded(control->Name());
  m_Slot[control.get()] = m_Order.size();
  m_ByName[key] = m_Order.size();
  m_Order.push_back({control, control.get(), std::move(key)});
}

void PlacedControls::Remove(const Control& control) {
  const auto slot = m_Slot.find(&control);
  if (slot == m_Slot.end()) return;
  Entry& entry = m_Order[slot->second];
  m_ByName.erase(entry.key);
  m_Slot.erase(slot);
  entry = Entry{};
  ++m_Empty;
  while (!m_Order.empty() && m_Order.back().identity == nullptr) {
    m_Order.pop_back();
    --m_Empty;
  }
  if (m_Empty > m_Order.size() / 2) Compact();
}

bool PlacedControls::Contains(const Control& control) const {
  return m_Slot.contains(&control);
}

Control* PlacedControls::Find(std::string_view name) const {
  const auto slot = m_ByName.find(Folded(name));
  return slot == m_ByName.end() ? nullptr : m_Order[slot->second].control.lock().get();
}

std::vector<ControlPtr> PlacedControls::List() const {
  std::vector<ControlPtr> list;
  list.reserve(m_Order.size() - m_Empty);
  for (const Entry& entry : m_Order)
    if (auto c = entry.control.lock()) list.push_back(std::move(c));
  return list;
}

void PlacedControls::Compact() {
  size_t kept = 0;
  for (Entry& entry : m_Order) {
    if (entry.identity == nullptr) continue;
    m_Slot[entry.identity] = kept;
    m_ByName[entry.key] = kept;
    if (&m_Order[kept] != &entry) m_Order[kept] = std::move(entry);
    ++kept;
  }
  m_Order.resize(kept);
  m_Empty = 0;
}

}  // namespace lumora
