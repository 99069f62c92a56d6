// The codes of input and events the runtime shares with hosts: pointer
// shapes, mouse buttons and modifier masks, the key codes the runtime acts
// on, and the DISPIDs of the standard events.
#pragma once

#include <cstdint>

namespace lumora {

// Pointer shapes (MousePointer values).
enum MousePointerShape : int16_t {
  kPointerDefault = 0,
  kPointerArrow = 1,
  kPointerCross = 2,
  kPointerIBeam = 3,
  kPointerIcon = 4,
  kPointerSize = 5,
  kPointerSizeNESW = 6,
  kPointerSizeNS = 7,
  kPointerSizeNWSE = 8,
  kPointerSizeWE = 9,
  kPointerUpArrow = 10,
  kPointerHourglass = 11,
  kPointerNoDrop = 12,
  kPointerArrowHourglass = 13,
  kPointerArrowQuestion = 14,
  kPointerSizeAll = 15,
  kPointerCustom = 99,
};
// True for 0..15 and 99; anything else is refused with error 380.
bool IsValidPointer(int16_t pointer);

// Mouse buttons (Button) and modifier keys (Shift), as bit masks.
constexpr int16_t kLeftButton = 1;
constexpr int16_t kRightButton = 2;
constexpr int16_t kMiddleButton = 4;
constexpr int16_t kShiftMask = 1;
constexpr int16_t kCtrlMask = 2;
constexpr int16_t kAltMask = 4;

// Key codes the runtime itself acts on.
constexpr int16_t kKeyBack = 8;
constexpr int16_t kKeyTab = 9;
constexpr int16_t kKeyReturn = 13;
constexpr int16_t kKeyEscape = 27;
constexpr int16_t kKeySpace = 32;
constexpr int16_t kKeyPageUp = 33;
constexpr int16_t kKeyPageDown = 34;
constexpr int16_t kKeyEnd = 35;
constexpr int16_t kKeyHome = 36;
constexpr int16_t kKeyLeft = 37;
constexpr int16_t kKeyUp = 38;
constexpr int16_t kKeyRight = 39;
constexpr int16_t kKeyDown = 40;

// DISPIDs of the standard events; events without a standard DISPID use 0.
constexpr int32_t kDispidClick = -600;
constexpr int32_t kDispidDblClick = -601;
constexpr int32_t kDispidKeyDown = -602;
constexpr int32_t kDispidKeyPress = -603;
constexpr int32_t kDispidKeyUp = -604;
constexpr int32_t kDispidMouseDown = -605;
constexpr int32_t kDispidMouseMove = -606;
constexpr int32_t kDispidMouseUp = -607;
constexpr int32_t kDispidNone = 0;

}  // namespace lumora
