// Thread-wide data of ZelPicZoom: one copy per user-interface thread, shared
// by every instance on that thread without locks. The zoom ladder and its
// current rung, and the state of pointer drags and held arrow keys.
#pragma once

#include <array>
#include <cstdint>

#include "platform/services.hpp"

namespace lumora {

// The zoom percentages, indexes 0 to 14, and the current index (10 is 100 %).
extern thread_local std::array<uint8_t, 15> g_ZoomLevels;
extern thread_local uint8_t g_ZoomIndex;

constexpr uint8_t kZoomIndexNatural = 10;
constexpr uint8_t kZoomIndexLast = 14;

// Writes the ladder and sets the index back to 100 %; every instance's
// Initialize runs it.
void InitZoomState();

// Pointer position (screen pixels) read at a press and at each drag step.
extern thread_local PointApi g_CursorPos;
// From any press on a picture box until any release on one.
extern thread_local bool g_ButtonHeld;
// From any key-down on a picture box until any key-up on one (or until the
// picture box running the arrow-key loop loses the focus).
extern thread_local bool g_KeyHeld;
// The drag anchor: the position at the press or at the last drag step.
extern thread_local PointApi g_LastCursorPos;
// Whether an arrow-key loop is running on this thread: a key-down that
// arrives while one runs starts no second one, so loops never pile up.
extern thread_local bool g_KeyLoopRunning;

}  // namespace lumora
