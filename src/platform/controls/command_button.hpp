// A push button: Click when the left button is pressed and released inside
// it, or on Space/Enter while it has the focus.
#pragma once

#include <string>

#include "platform/controls/control.hpp"

namespace lumora {

class CommandButton final : public Control {
 public:
  CommandButton();

  const std::string& Caption() const { return m_Caption; }
  void Caption(std::string value) { m_Caption = std::move(value); }
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);
  // Drawn pushed in: the left button is held on it and the pointer is inside.
  bool IsPressed() const { return m_Pressed && m_PointerInside; }

  void OnMouseDown(PointerInput& in) override;
  void OnMouseMove(PointerInput& in) override;
  void OnMouseUp(PointerInput& in) override;
  void OnKeyDown(int16_t& keyCode, int16_t& shift) override;
  void OnKeyUp(int16_t& keyCode, int16_t& shift) override;
  bool ClicksOn(int16_t button) const override { return button == kLeftButton; }

  const MemberTable& Members() const override;

 private:
  std::string m_Caption;
  OleColor m_BackColor = kSysButtonFace;
  bool m_Pressed = false;
  bool m_PointerInside = false;
  bool m_SpaceDown = false;
};

}  // namespace lumora
