// A menu: placeable on a form or in a container but without position or size
// (late-bound Left, Top, Width, Height fail with error 438). It is also the
// object PopupMenu shows.
#pragma once

#include <string>

#include "platform/controls/control.hpp"

namespace lumora {

class Menu final : public Control {
 public:
  Menu();

  bool IsWindowed() const override { return false; }
  bool HasExtent() const override { return false; }
  bool IsFocusable() const override { return false; }

  const std::string& Caption() const { return m_Caption; }
  void Caption(std::string value) { m_Caption = std::move(value); }
  bool Checked() const { return m_Checked; }
  void Checked(bool value) { m_Checked = value; }

  const MemberTable& Members() const override;

 private:
  std::string m_Caption;
  bool m_Checked = false;
};

}  // namespace lumora
