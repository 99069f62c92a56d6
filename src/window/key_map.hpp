// How the window system's keyboard and pointer values become the runtime's:
// key codes (the runtime's virtual-key numbering), Shift masks, button masks
// and the character codes of KeyPress.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumora::window {

// The runtime's key code for a key, or 0 for a key it has no code for.
int16_t RuntimeKeyCode(SDL_Keycode key);
// The Shift argument (Shift 1, Ctrl 2, Alt 4) for SDL's modifier state.
int16_t RuntimeShift(uint16_t modifiers);
// One button (SDL_BUTTON_LEFT ...) as the runtime's mask; 0 for others.
int16_t RuntimeButton(uint8_t button);
// The held buttons of SDL's button state as the runtime's mask.
int16_t RuntimeButtons(uint32_t state);
// The KeyPress codes of a piece of text input (UTF-8): one per character,
// Latin-1 characters as themselves, others as '?'. Malformed bytes give '?'.
std::vector<int16_t> KeyAsciiOf(std::string_view utf8);
// The KeyPress code of a key that gives a character but no text input:
// Return 13, Backspace 8, Escape 27, Ctrl+letter 1..26; else 0.
int16_t ControlCharacter(SDL_Keycode key, uint16_t modifiers);

}  // namespace lumora::window
