#include "platform/controls/command_button.hpp"

#include "platform/controls/member_rows.hpp"

namespace lumora {

CommandButton::CommandButton() : Control("CommandButton") {}

void CommandButton::BackColor(OleColor value) {
  ResolveColor(value);
  m_BackColor = value;
}

void CommandButton::OnMouseDown(PointerInput& in) {
  if (in.button == kLeftButton) {
    m_Pressed = true;
    m_PointerInside = true;
  }
  Control::OnMouseDown(in);
}

void CommandButton::OnMouseMove(PointerInput& in) {
  const PixelRect outer = FormRect();
  m_PointerInside = in.px >= 0 && in.py >= 0 && in.px < outer.width && in.py < outer.height;
  Control::OnMouseMove(in);
}

void CommandButton::OnMouseUp(PointerInput& in) {
  if (in.button == kLeftButton) m_Pressed = false;
  Control::OnMouseUp(in);
}

void CommandButton::OnKeyDown(int16_t& keyCode, int16_t& shift) {
  Control::OnKeyDown(keyCode, shift);
  if (keyCode == kKeySpace) m_SpaceDown = true;
  if (keyCode == kKeyReturn) OnClick();
}

void CommandButton::OnKeyUp(int16_t& keyCode, int16_t& shift) {
  Control::OnKeyUp(keyCode, shift);
  if (keyCode == kKeySpace && m_SpaceDown) {
    m_SpaceDown = false;
    OnClick();
  }
}

const MemberTable& CommandButton::Members() const {
  static const MemberTable table(
      &ControlMembers(),
      {
          Property("Caption", &CommandButton::Caption, &CommandButton::Caption),
          Property("BackColor", &CommandButton::BackColor, &CommandButton::BackColor),
          Method("Click", &CommandButton::OnClick),
      });
  return table;
}

}  // namespace lumora
