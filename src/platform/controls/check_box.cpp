#include "platform/controls/check_box.hpp"

#include "platform/controls/member_rows.hpp"
#include "platform/errors.hpp"

namespace lumora {

CheckBox::CheckBox() : Control("CheckBox") {}

void CheckBox::Value(int16_t value) {
  if (value < 0 || value > 2) Fail(kErrInvalidPropertyValue);
  if (value == m_Value) return;
  m_Value = value;
  RaisePlain(Click, kDispidClick, "Click");
}

void CheckBox::OnClick() {
  Value(m_Value == 1 ? int16_t{0} : int16_t{1});
}

void CheckBox::OnKeyUp(int16_t& keyCode, int16_t& shift) {
  Control::OnKeyUp(keyCode, shift);
  if (keyCode == kKeySpace) OnClick();
}

const MemberTable& CheckBox::Members() const {
  static const MemberTable table(&ControlMembers(),
                                 {
                                     Property("Caption", &CheckBox::Caption, &CheckBox::Caption),
                                     Property("Value", &CheckBox::Value, &CheckBox::Value),
                                 });
  return table;
}

}  // namespace lumora
