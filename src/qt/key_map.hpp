// How Qt's keyboard and pointer values become the runtime's: key codes (the
// runtime's virtual-key numbering), Shift masks, button masks, wheel deltas
// and the character codes of KeyPress.
#pragma once

#include <QString>
#include <Qt>

#include <cstdint>
#include <vector>

namespace lumora::qt {

// The runtime's key code for a Qt key (keypad keys told apart by the keypad
// modifier), or 0 for a key it has no code for.
int16_t RuntimeKeyCode(int key, Qt::KeyboardModifiers modifiers);
// The Shift argument (Shift 1, Ctrl 2, Alt 4).
int16_t RuntimeShift(Qt::KeyboardModifiers modifiers);
// One button as the runtime's mask (left 1, right 2, middle 4); 0 for others.
int16_t RuntimeButton(Qt::MouseButton button);
// The held buttons as the runtime's mask.
int16_t RuntimeButtons(Qt::MouseButtons buttons);
// The KeyPress codes of a key's text: Latin-1 characters as themselves,
// others as '?'; Delete types nothing.
std::vector<int16_t> KeyAsciiOf(const QString& text);
// The runtime's wheel delta (120 a notch, positive away from the user) of a
// wheel event's vertical angle, whatever the desktop's direction setting.
int32_t WheelDelta(int angleY, bool inverted);

}  // namespace lumora::qt
