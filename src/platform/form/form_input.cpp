// Pointer and key routing of the form: hit-testing, capture, Click and
// DblClick synthesis, keys to the focused control.
#include <algorithm>

#include "platform/controls/user_control.hpp"
#include "platform/form/form.hpp"
#include "platform/services.hpp"

namespace lumora {

namespace {

// The topmost child of container at the point. Disabled windowed controls
// absorb the point (absorbed = true); disabled windowless ones let it through.
Control* HitIn(const Container& container, int32_t x, int32_t y, bool enabledOnly, bool& absorbed) {
  const auto& children = container.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* child = it->get();
    if (!child->HasExtent() || !child->Visible()) continue;
    if (!child->FormRect().Contains(x, y)) continue;
    if (enabledOnly && !child->Enabled()) {
      if (!child->IsWindowed()) continue;
      absorbed = true;
      return nullptr;
    }
    if (auto* inner = dynamic_cast<Container*>(child);
        inner && inner->ClientFormRect().Contains(x, y)) {
      Control* hit = HitIn(*inner, x, y, enabledOnly, absorbed);
      if (hit || absorbed) return hit;
    }
    return child;
  }
  return nullptr;
}

PointerInput MakeInput(Control& target, int32_t x, int32_t y, int16_t button, int16_t shift) {
  const PixelRect outer = target.FormRect();
  PointerInput in;
  in.button = button;
  in.shift = shift;
  in.px = x - outer.left;
  in.py = y - outer.top;
  if (auto* own = dynamic_cast<Container*>(&target)) {
    in.x = static_cast<float>(own->FromFormX(x));
    in.y = static_cast<float>(own->FromFormY(y));
  } else {
    const ScaleMapping m = target.ContainerScale();
    in.x = static_cast<float>(in.px * m.unitsPerPixelX);
    in.y = static_cast<float>(in.py * m.unitsPerPixelY);
  }
  return in;
}

// The printable character a key gives, or 0.
int16_t CharacterOf(int16_t keyCode, int16_t shift) {
  const bool shifted = (shift & kShiftMask) != 0;
  if (keyCode >= 'A' && keyCode <= 'Z')
    return shifted ? keyCode : static_cast<int16_t>(keyCode + 32);
  if (keyCode >= '0' && keyCode <= '9') return keyCode;
  if (keyCode == kKeySpace || keyCode == kKeyReturn || keyCode == kKeyBack || keyCode == kKeyEscape)
    return keyCode;
  return 0;
}

}  // namespace

Control* Form::HitTest(int32_t x, int32_t y) const {
  if (!ClientFormRect().Contains(x, y)) return nullptr;
  bool absorbed = false;
  return HitIn(*this, x, y, true, absorbed);
}

Control* Form::ControlAt(int32_t x, int32_t y) const {
  if (!ClientFormRect().Contains(x, y)) return nullptr;
  bool absorbed = false;
  return HitIn(*this, x, y, false, absorbed);
}

Control* Form::Capture() const {
  auto capture = m_Capture.lock();
  return capture && capture->ParentForm() == this ? capture.get() : nullptr;
}

void Form::Dispatch(const Message& m) {
  if (!m_Loaded) return;
  const auto keepAlive = Self();
  switch (m.kind) {
    case MessageKind::MouseDown: DeliverMouseDown(m, false); break;
    case MessageKind::DblClick: DeliverMouseDown(m, true); break;
    case MessageKind::MouseMove: DeliverMouseMove(m); break;
    case MessageKind::MouseUp: DeliverMouseUp(m); break;
    case MessageKind::Wheel: {
      m_PointerX = m.x;
      m_PointerY = m.y;
      Control* target = Capture();
      if (!target) target = HitTest(m.x, m.y);
      if (!target) target = ActiveControl();
      if (target) target->OnMouseWheel(m.delta, m.shift);
      break;
    }
    case MessageKind::KeyDown: {
      const int16_t modifiers = m.shift & (kCtrlMask | kAltMask);
      if (m.key == kKeyTab && modifiers == 0) {
        FocusNext((m.shift & kShiftMask) != 0);
        break;
      }
      if (Control* focus = ActiveControl()) {
        int16_t key = m.key;
        int16_t shift = m.shift;
        focus->OnKeyDown(key, shift);
      }
      break;
    }
    case MessageKind::KeyUp: {
      if (m.key == kKeyTab) break;
      if (Control* focus = ActiveControl()) {
        int16_t key = m.key;
        int16_t shift = m.shift;
        focus->OnKeyUp(key, shift);
      }
      break;
    }
    case MessageKind::KeyPress: {
      if (m.key == kKeyTab) break;
      if (Control* focus = ActiveControl()) {
        int16_t key = m.key;
        focus->OnKeyPress(key);
      }
      break;
    }
    case MessageKind::FocusIn:
      if (Control* focus = ActiveControl()) focus->OnGotFocus();
      break;
    case MessageKind::FocusOut:
      if (Control* focus = ActiveControl()) focus->OnLostFocus();
      break;
    case MessageKind::Resize: ResizeClient(m.x, m.y); break;
    case MessageKind::Call:
      if (m.call) m.call();
      break;
  }
}

void Form::DeliverMouseDown(const Message& m, bool doubleClick) {
  m_PointerX = m.x;
  m_PointerY = m.y;
  SetCursorPos(m_ScreenLeft + m.x, m_ScreenTop + m.y);
  std::shared_ptr<Control> target = m_Capture.lock();
  if (!target || target->ParentForm() != this) {
    Control* hit = HitTest(m.x, m.y);
    target = hit ? hit->Shared() : nullptr;
    m_PressButton = m.button;
    m_SuppressClick = false;
    if (target && target->CanTakeFocus() && !target->HasFocus()) {
      MoveFocusTo(*target);  // a focus handler may hide, disable or remove it
      if (target->ParentForm() != this) target.reset();
    }
    m_Capture = target;
  }
  m_ButtonsDown = static_cast<int16_t>(m_ButtonsDown | m.button);
  if (!target) return;
  if (doubleClick && m.button == m_PressButton && m_LastClick.lock() == target) {
    m_SuppressClick = true;
    target->OnDblClick();
    return;
  }
  PointerInput in = MakeInput(*target, m.x, m.y, m.button, m.shift);
  target->OnMouseDown(in);
}

void Form::DeliverMouseMove(const Message& m) {
  m_PointerX = m.x;
  m_PointerY = m.y;
  SetCursorPos(m_ScreenLeft + m.x, m_ScreenTop + m.y);
  std::shared_ptr<Control> target = m_Capture.lock();
  if (!target || target->ParentForm() != this) {
    Control* hit = HitTest(m.x, m.y);
    target = hit ? hit->Shared() : nullptr;
  }
  if (!target) return;
  const int16_t buttons = m.button < 0 ? m_ButtonsDown : m.button;
  PointerInput in = MakeInput(*target, m.x, m.y, buttons, m.shift);
  target->OnMouseMove(in);
}

void Form::DeliverMouseUp(const Message& m) {
  m_PointerX = m.x;
  m_PointerY = m.y;
  SetCursorPos(m_ScreenLeft + m.x, m_ScreenTop + m.y);
  std::shared_ptr<Control> target = m_Capture.lock();
  m_ButtonsDown = static_cast<int16_t>(m_ButtonsDown & ~m.button);
  if (m_ButtonsDown == 0) m_Capture.reset();
  if (!target || target->ParentForm() != this) return;
  PointerInput in = MakeInput(*target, m.x, m.y, m.button, m.shift);
  target->OnMouseUp(in);
  const bool click = !m_SuppressClick && m.button == m_PressButton &&
                     target->ParentForm() == this && target->ClicksOn(m.button) &&
                     target->IsEffectivelyVisible() && target->IsEffectivelyEnabled() &&
                     target->VisibleFormRect().Contains(m.x, m.y);
  if (m.button == m_PressButton) m_SuppressClick = false;
  if (!click) return;
  m_LastClick = target;
  target->OnClick();
}

void Form::MouseDown(int32_t x, int32_t y, int16_t button, int16_t shift) {
  Dispatch(Message::Mouse(MessageKind::MouseDown, Self(), x, y, button, shift));
}

void Form::MouseMove(int32_t x, int32_t y, int16_t button, int16_t shift) {
  Dispatch(Message::Mouse(MessageKind::MouseMove, Self(), x, y, button, shift));
}

void Form::MouseUp(int32_t x, int32_t y, int16_t button, int16_t shift) {
  Dispatch(Message::Mouse(MessageKind::MouseUp, Self(), x, y, button, shift));
}

void Form::DoubleClick(int32_t x, int32_t y, int16_t button, int16_t shift) {
  MouseDown(x, y, button, shift);
  MouseUp(x, y, button, shift);
  Dispatch(Message::Mouse(MessageKind::DblClick, Self(), x, y, button, shift));
  MouseUp(x, y, button, shift);
}

void Form::Click(int32_t x, int32_t y, int16_t button, int16_t shift) {
  MouseDown(x, y, button, shift);
  MouseUp(x, y, button, shift);
}

void Form::KeyDown(int16_t keyCode, int16_t shift) {
  Dispatch(Message::Key(MessageKind::KeyDown, Self(), keyCode, shift));
}

void Form::KeyUp(int16_t keyCode, int16_t shift) {
  Dispatch(Message::Key(MessageKind::KeyUp, Self(), keyCode, shift));
}

void Form::KeyPress(int16_t keyAscii) {
  Dispatch(Message::Key(MessageKind::KeyPress, Self(), keyAscii));
}

void Form::TypeKey(int16_t keyCode, int16_t shift) {
  KeyDown(keyCode, shift);
  if (const int16_t character = CharacterOf(keyCode, shift); character != 0) KeyPress(character);
  KeyUp(keyCode, shift);
}

}  // namespace lumora
