#include "platform/controls/text_box.hpp"

#include "platform/controls/member_rows.hpp"

namespace lumora {

namespace {

void AppendUtf8(std::string& text, uint32_t code) {
  if (code < 0x80) {
    text.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    text.push_back(static_cast<char>(0xC0 | (code >> 6)));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xE0 | (code >> 12)));
    text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void RemoveLastCharacter(std::string& text) {
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((c & 0xC0) != 0x80) break;  // stop after the first byte of the character
  }
}

}  // namespace

TextBox::TextBox() : Control("TextBox") {}

void TextBox::Text(std::string value) {
  if (value == m_Text) return;
  m_Text = std::move(value);
  RaisePlain(Change, kDispidNone, "Change");
}

void TextBox::BackColor(OleColor value) {
  ResolveColor(value);
  m_BackColor = value;
}

void TextBox::OnKeyPress(int16_t& keyAscii) {
  Control::OnKeyPress(keyAscii);
  if (m_Locked || keyAscii == 0) return;
  std::string text = m_Text;
  if (keyAscii == kKeyBack) {
    RemoveLastCharacter(text);
  } else if (keyAscii >= 32) {
    AppendUtf8(text, static_cast<uint32_t>(keyAscii));
  } else {
    return;
  }
  Text(std::move(text));
}

const MemberTable& TextBox::Members() const {
  static const MemberTable table(&ControlMembers(),
                                 {
                                     Property("Text", &TextBox::Text, &TextBox::Text),
                                     Property("Locked", &TextBox::Locked, &TextBox::Locked),
                                 });
  return table;
}

}  // namespace lumora
