// A single-line text box for forms: Text, typing when focused, Change on
// every change of the text.
#pragma once

#include <string>

#include "platform/controls/control.hpp"

namespace lumora {

class TextBox final : public Control {
 public:
  TextBox();

  const std::string& Text() const { return m_Text; }
  // Raises Change before returning when the text differs.
  void Text(std::string value);
  bool Locked() const { return m_Locked; }
  void Locked(bool value) { m_Locked = value; }
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);

  PlainEvent Change;

  // Printable characters are appended, Backspace removes the last one.
  void OnKeyPress(int16_t& keyAscii) override;

  const MemberTable& Members() const override;

 private:
  std::string m_Text;
  bool m_Locked = false;
  OleColor m_BackColor = kSysWindowBackground;
};

}  // namespace lumora
