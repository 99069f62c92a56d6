// Focus of the form: which control has it, moving it (by click, SetFocus,
// Tab), GotFocus/LostFocus and the user controls' Enter/ExitFocus.
#include <algorithm>

#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"

namespace lumora {

namespace {

// The control a control sits in for focus purposes: the user control owning
// a constituent, else the container control (null at the form).
Control* Outer(const Control& control) {
  if (control.Owner()) return control.Owner();
  Container* container = control.GetContainer();
  return container ? container->ContainerControl() : nullptr;
}

std::vector<UserControl*> UserControlsAround(Control* control) {
  std::vector<UserControl*> list;
  for (Control* c = control ? Outer(*control) : nullptr; c; c = Outer(*c))
    if (auto* uc = dynamic_cast<UserControl*>(c)) list.push_back(uc);
  return list;
}

bool Within(const Control* control, const Control& ancestor) {
  for (const Control* c = control; c; c = Outer(*c))
    if (c == &ancestor) return true;
  return false;
}

std::vector<Control*> SortedByTabIndex(const std::vector<ControlPtr>& children, bool constituents) {
  std::vector<Control*> list;
  for (const ControlPtr& c : children)
    if (c->IsConstituent() == constituents) list.push_back(c.get());
  std::ranges::stable_sort(list, {}, [](const Control* c) { return c->TabIndex(); });
  return list;
}

void CollectTabStops(const Container& container, std::vector<Control*>& out) {
  for (bool constituents : {true, false}) {
    for (Control* child : SortedByTabIndex(container.Children(), constituents)) {
      const size_t before = out.size();
      auto* userControl = dynamic_cast<UserControl*>(child);
      if (!userControl && child->TabStop() && child->CanTakeFocus()) out.push_back(child);
      if (auto* inner = dynamic_cast<Container*>(child);
          inner && child->IsEffectivelyVisible() && child->IsEffectivelyEnabled())
        CollectTabStops(*inner, out);
      // A user control without focusable constituents takes the focus itself.
      if (userControl && out.size() == before && child->TabStop() && child->CanTakeFocus())
        out.push_back(child);
    }
  }
}

}  // namespace

Control* Form::ActiveControl() const {
  auto focus = m_Focus.lock();
  return focus && focus->ParentForm() == this ? focus.get() : nullptr;
}

void Form::MoveFocusTo(Control& control) {
  Control* target = &control;
  if (auto* userControl = dynamic_cast<UserControl*>(&control)) {
    std::vector<Control*> inside;
    CollectTabStops(*userControl, inside);
    // Its own constituents only: a click on a container's empty surface does
    // not jump into the controls placed inside it.
    auto first = std::ranges::find_if(
        inside, [&](Control* c) { return c->Owner() == userControl && c->CanTakeFocus(); });
    if (first != inside.end()) target = *first;
  }
  if (target->ParentForm() != this || !target->CanTakeFocus())
    Fail(kErrInvalidCall,
         "Invalid procedure call or argument: " + control.Name() + " cannot take the focus now");
  auto old = m_Focus.lock();
  if (old.get() == target) return;
  const auto keep = target->Shared();
  const auto oldAround = UserControlsAround(old.get());
  const auto newAround = UserControlsAround(target);
  m_Focus = keep;
  if (old && old->ParentForm() == this) old->OnLostFocus();
  for (UserControl* uc : oldAround)
    if (std::ranges::find(newAround, uc) == newAround.end()) uc->UserControl_ExitFocus();
  for (auto it = newAround.rbegin(); it != newAround.rend(); ++it)
    if (std::ranges::find(oldAround, *it) == oldAround.end()) (*it)->UserControl_EnterFocus();
  // A LostFocus handler may have moved the focus elsewhere meanwhile.
  if (m_Focus.lock() == keep) target->OnGotFocus();
}

std::vector<Control*> Form::TabOrder() const {
  std::vector<Control*> order;
  CollectTabStops(*this, order);
  return order;
}

void Form::FocusNext(bool backwards) {
  const auto order = TabOrder();
  if (order.empty()) return;
  Control* current = ActiveControl();
  const auto it = std::ranges::find(order, current);
  size_t next = 0;
  if (it == order.end()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    const size_t index = static_cast<size_t>(it - order.begin());
    next = backwards ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
  }
  if (order[next] != current) MoveFocusTo(*order[next]);
}

void Form::ControlStateChanged(Control& control) {
  Control* focus = ActiveControl();
  if (focus && Within(focus, control) && !focus->CanTakeFocus()) DropFocusWithin(control, true);
}

void Form::DropFocusWithin(Control& control, bool raise) {
  auto focus = m_Focus.lock();
  if (!focus || !Within(focus.get(), control)) return;
  m_Focus.reset();
  if (raise) {
    focus->OnLostFocus();
    for (UserControl* uc : UserControlsAround(focus.get())) uc->UserControl_ExitFocus();
  }
}

}  // namespace lumora
