#include "piczoom/module_state.hpp"

#include "platform/thread_state.hpp"

namespace lumora {

thread_local std::array<uint8_t, 15> g_ZoomLevels{};
thread_local uint8_t g_ZoomIndex = 0;
thread_local PointApi g_CursorPos;
thread_local bool g_ButtonHeld = false;
thread_local bool g_KeyHeld = false;
thread_local PointApi g_LastCursorPos;
thread_local bool g_KeyLoopRunning = false;

namespace {

// A button or key the thread's last control saw held is not held on a fresh
// thread.
[[maybe_unused]] const bool kRegistered = RegisterThreadStateReset([] {
  g_ButtonHeld = false;
  g_KeyHeld = false;
});

}  // namespace

void InitZoomState() {
  g_ZoomLevels = {5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 125, 150, 175, 200};
  g_ZoomIndex = kZoomIndexNatural;
}

}  // namespace lumora
