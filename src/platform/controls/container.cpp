#include <algorithm>

#include "platform/controls/control.hpp"

namespace lumora {

Container::~Container() {
  for (const ControlPtr& child : m_Children) child->Detach();
}

double Container::ToFormX(double x) const {
  const ScaleMapping m = ClientScale();
  return ClientFormRect().left + (x - m.scaleLeft) / m.unitsPerPixelX;
}

double Container::ToFormY(double y) const {
  const ScaleMapping m = ClientScale();
  return ClientFormRect().top + (y - m.scaleTop) / m.unitsPerPixelY;
}

double Container::FromFormX(double px) const {
  const ScaleMapping m = ClientScale();
  return (px - ClientFormRect().left) * m.unitsPerPixelX + m.scaleLeft;
}

double Container::FromFormY(double py) const {
  const ScaleMapping m = ClientScale();
  return (py - ClientFormRect().top) * m.unitsPerPixelY + m.scaleTop;
}

void Container::AddChild(ControlPtr child, UserControl* owner) {
  child->AttachTo(this, owner);
  if (owner) {
    m_Children.push_back(std::move(child));  // constituents go on top
    return;
  }
  // Contained (placed) controls go on top of the other placed controls but
  // below every constituent.
  m_Children.insert(m_Children.begin() + static_cast<ptrdiff_t>(m_ContainedCount),
                    std::move(child));
  ++m_ContainedCount;
}

ControlPtr Container::RemoveChild(Control& child) {
  // From the top: controls mostly go in the reverse of their coming.
  auto it = std::ranges::find_if(m_Children.rbegin(), m_Children.rend(),
                                 [&](const ControlPtr& c) { return c.get() == &child; });
  if (it == m_Children.rend()) return nullptr;
  ControlPtr removed = *it;
  if (!removed->IsConstituent()) --m_ContainedCount;
  m_Children.erase(std::next(it).base());
  removed->Detach();
  ChildRemoved(*removed);
  return removed;
}

void Container::Restack(Control& child, bool toFront) {
  auto it =
      std::ranges::find_if(m_Children, [&](const ControlPtr& c) { return c.get() == &child; });
  if (it == m_Children.end()) return;
  ControlPtr moving = *it;
  m_Children.erase(it);
  const bool constituent = moving->IsConstituent();
  // The group's span (without the moving control): contained controls first,
  // then constituents.
  const size_t contained = constituent ? m_ContainedCount : m_ContainedCount - 1;
  const auto firstConstituent = m_Children.begin() + static_cast<ptrdiff_t>(contained);
  const auto groupBegin = constituent ? firstConstituent : m_Children.begin();
  const auto groupEnd = constituent ? m_Children.end() : firstConstituent;
  m_Children.insert(toFront ? groupEnd : groupBegin, std::move(moving));
}

}  // namespace lumora
