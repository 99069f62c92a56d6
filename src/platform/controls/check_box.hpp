// A check box for forms: Value 0 unchecked, 1 checked, 2 greyed. A click or
// Space toggles between 0 and 1; every change of Value raises Click.
#pragma once

#include <string>

#include "platform/controls/control.hpp"

namespace lumora {

class CheckBox final : public Control {
 public:
  CheckBox();

  const std::string& Caption() const { return m_Caption; }
  void Caption(std::string value) { m_Caption = std::move(value); }
  int16_t Value() const { return m_Value; }
  void Value(int16_t value);  // 0..2; else error 380. Raises Click on a change.

  void OnClick() override;
  void OnKeyUp(int16_t& keyCode, int16_t& shift) override;
  bool ClicksOn(int16_t button) const override { return button == kLeftButton; }

  const MemberTable& Members() const override;

 private:
  std::string m_Caption;
  int16_t m_Value = 0;
};

}  // namespace lumora
