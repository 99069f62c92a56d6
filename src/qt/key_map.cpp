#include "qt/key_map.hpp"

#include <QList>

namespace lumora::qt {

namespace {

struct KeyPair {
  int key;
  int16_t code;
};

// Keys outside the letter, digit and function-key runs.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
};

// The keypad's own codes: digits 96..105, then * + - . /.
constexpr KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
};

}  // namespace

int16_t RuntimeKeyCode(int key, Qt::KeyboardModifiers modifiers) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<int16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    const int offset = key - Qt::Key_0;
    return static_cast<int16_t>((modifiers & Qt::KeypadModifier) ? 96 + offset : '0' + offset);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return static_cast<int16_t>(112 + (key - Qt::Key_F1));
  if (modifiers & Qt::KeypadModifier)
    for (const KeyPair& k : kKeypad)
      if (k.key == key) return k.code;
  for (const KeyPair& k : kKeys)
    if (k.key == key) return k.code;
  return 0;
}

int16_t RuntimeShift(Qt::KeyboardModifiers modifiers) {
  int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

int16_t RuntimeButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int16_t RuntimeButtons(Qt::MouseButtons buttons) {
  int16_t mask = 0;
  for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (buttons & b) mask = static_cast<int16_t>(mask | RuntimeButton(b));
  return mask;
}

std::vector<int16_t> KeyAsciiOf(const QString& text) {
  std::vector<int16_t> codes;
  for (const uint point : text.toUcs4()) {
    if (point == 0x7F) continue;
    codes.push_back(point < 0x80 || (point >= 0xA0 && point <= 0xFF) ? static_cast<int16_t>(point)
                                                                     : int16_t{'?'});
  }
  return codes;
}

int32_t WheelDelta(int angleY, bool inverted) {
  return inverted ? -angleY : angleY;
}

}  // namespace lumora::qt
