#include "window/key_map.hpp"

namespace lumora::window {

namespace {

struct KeyPair {
  SDL_Keycode key;
  int16_t code;
};

// Keys outside the letter, digit and function-key runs.
constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},           {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},      {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},        {SDLK_LALT, 18},
    {SDLK_RALT, 18},          {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},        {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},      {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},          {SDLK_UP, 38},           {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},          {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},        {SDLK_LGUI, 91},         {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},   {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},     {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},  {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},       {SDLK_PLUS, 187},        {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},        {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

}  // namespace

int16_t RuntimeKeyCode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<int16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<int16_t>('0' + (key - SDLK_0));
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<int16_t>(97 + (key - SDLK_KP_1));
  if (key == SDLK_KP_0) return 96;
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<int16_t>(112 + (key - SDLK_F1));
  if (key >= SDLK_F13 && key <= SDLK_F24) return static_cast<int16_t>(124 + (key - SDLK_F13));
  for (const KeyPair& k : kKeys)
    if (k.key == key) return k.code;
  return 0;
}

int16_t RuntimeShift(uint16_t modifiers) {
  int16_t shift = 0;
  if (modifiers & KMOD_SHIFT) shift |= 1;
  if (modifiers & KMOD_CTRL) shift |= 2;
  if (modifiers & KMOD_ALT) shift |= 4;
  return shift;
}

int16_t RuntimeButton(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 4;
    default: return 0;
  }
}

int16_t RuntimeButtons(uint32_t state) {
  int16_t buttons = 0;
  if (state & SDL_BUTTON_LMASK) buttons |= 1;
  if (state & SDL_BUTTON_RMASK) buttons |= 2;
  if (state & SDL_BUTTON_MMASK) buttons |= 4;
  return buttons;
}

std::vector<int16_t> KeyAsciiOf(std::string_view utf8) {
  std::vector<int16_t> codes;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = 0;
    uint32_t point = 0;
    if (lead < 0x80) {
      length = 1;
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      point = lead & 0x07;
    }
    bool valid = length > 0 && i + length <= utf8.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      point = (point << 6) | (next & 0x3F);
    }
    // Overlong encodings are malformed too.
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && point < kSmallest[length]) valid = false;
    if (!valid) {
      codes.push_back('?');
      ++i;  // resynchronise on the next byte
      continue;
    }
    codes.push_back(point < 0x80 || (point >= 0xA0 && point <= 0xFF) ? static_cast<int16_t>(point)
                                                                     : int16_t{'?'});
    i += length;
  }
  return codes;
}

int16_t ControlCharacter(SDL_Keycode key, uint16_t modifiers) {
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_BACKSPACE: return 8;
    case SDLK_ESCAPE: return 27;
    default: break;
  }
  const bool ctrlOnly = (modifiers & KMOD_CTRL) && !(modifiers & KMOD_ALT);
  if (ctrlOnly && key >= SDLK_a && key <= SDLK_z) return static_cast<int16_t>(1 + (key - SDLK_a));
  return 0;
}

}  // namespace lumora::window
