// ZelPicZoom's pointer and key input on picScroll. Each handler first raises
// the control's own event with the arguments by reference, then acts on them
// as the host's handler left them. Dragging with the left button moves the
// picture with the pointer; a held arrow key scrolls a pixel per yield.
#include <span>

#include "frame/dispids.hpp"
#include "frame/raise_by_ref.hpp"
#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/message_queue.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

void RaiseMouseEvent(UserControl& control, int32_t dispid, std::string_view name, int16_t& Button,
                     int16_t& Shift, float& X, float& Y) {
  RaiseByRef([&](std::span<Variant> args) { control.RaiseEvent(dispid, name, args); }, Button,
             Shift, X, Y);
}

void RaiseKeyEvent(UserControl& control, int32_t dispid, std::string_view name, int16_t& KeyCode,
                   int16_t& Shift) {
  RaiseByRef([&](std::span<Variant> args) { control.RaiseEvent(dispid, name, args); }, KeyCode,
             Shift);
}

// Marks the thread's arrow-key loop as running for its lifetime.
class KeyLoopMark {
 public:
  KeyLoopMark() { g_KeyLoopRunning = true; }
  ~KeyLoopMark() { g_KeyLoopRunning = false; }
  KeyLoopMark(const KeyLoopMark&) = delete;
  KeyLoopMark& operator=(const KeyLoopMark&) = delete;
};

// One axis of the drag step: the pointer's movement from last to now moves
// the bar's value the other way, clamped to 0..Max.
void DragBar(ScrollBar& bar, const int32_t& now, const int32_t& last) {
  Int32 d;
  Int32 v;
  Step([&] { d = Int32{now} - Int32{last}; });
  Step([&] { v = bar.Value(); });
  if (Met([&] { return d > 0; })) {
    if (Met([&] { return v - d > 0; }))
      Step([&] { bar.Value(ToInt16((v - d).Value())); });
    else
      Step([&] { bar.Value(0); });
  } else {
    if (Met([&] { return v - d < bar.Max(); }))
      Step([&] { bar.Value(ToInt16((v - d).Value())); });
    else
      Step([&] { bar.Value(bar.Max()); });
  }
}

// An arrow key's pixel along one bar, back (towards 0) or on (towards Max).
void StepBar(ScrollBar& bar, bool back) {
  if (back) {
    if (Met([&] { return bar.Value() > 0; }))
      Step([&] { bar.Value(ToInt16(bar.Value() - 1)); });
    else
      Step([&] { bar.Value(0); });
  } else {
    if (Met([&] { return bar.Value() < bar.Max(); }))
      Step([&] { bar.Value(ToInt16(bar.Value() + 1)); });
    else
      Step([&] { bar.Value(bar.Max()); });
  }
}

bool IsArrowKey(int16_t KeyCode) {
  return KeyCode == kKeyLeft || KeyCode == kKeyUp || KeyCode == kKeyRight || KeyCode == kKeyDown;
}

}  // namespace

void ZelPicZoom::picScroll_Click() {
  Step([&] { RaiseEvent(PicZoomEvent::Click, "Click"); });
}

void ZelPicZoom::picScroll_DblClick() {
  Step([&] { RaiseEvent(PicZoomEvent::DblClick, "DblClick"); });
}

void ZelPicZoom::picScroll_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] { RaiseMouseEvent(*this, PicZoomEvent::MouseDown, "MouseDown", Button, Shift, X, Y); });
  Step([&] { g_ButtonHeld = true; });
  Step([&] { GetCursorPos(g_CursorPos); });
  Step([&] { g_LastCursorPos = g_CursorPos; });
}

// The drag step, in screen pixels: the pointer's movement since the anchor
// moves each bar's value the other way, clamped to 0..Max, so the picture
// follows the pointer.
void ZelPicZoom::picScroll_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] { RaiseMouseEvent(*this, PicZoomEvent::MouseMove, "MouseMove", Button, Shift, X, Y); });
  if (!Met([&] { return Button == kLeftButton; })) return;
  if (!Met([&] { return HasPicture() && m_MouseScrolling && g_ButtonHeld; })) return;
  Step([&] { GetCursorPos(g_CursorPos); });
  if (Met([&] { return picScroll->Width() > ScaleWidth(); }))
    DragBar(*HScroll, g_CursorPos.x, g_LastCursorPos.x);
  if (Met([&] { return picScroll->Height() > ScaleHeight(); }))
    DragBar(*VScroll, g_CursorPos.y, g_LastCursorPos.y);
  Step([&] { g_LastCursorPos = g_CursorPos; });
}

void ZelPicZoom::picScroll_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] { RaiseMouseEvent(*this, PicZoomEvent::MouseUp, "MouseUp", Button, Shift, X, Y); });
  Step([&] { g_ButtonHeld = false; });
}

// An arrow key scrolls one pixel per pass of a loop that yields first, until
// a key-up clears g_KeyHeld. One loop runs at a time on the thread (a key-down
// that arrives meanwhile, auto-repeat included, is raised and starts
// nothing), and the loop also ends when picScroll loses the focus, since the
// key-up then goes elsewhere.
void ZelPicZoom::picScroll_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  const ControlPtr keepAlive = Shared();  // a yield may remove the control
  Step([&] { RaiseKeyEvent(*this, PicZoomEvent::KeyDown, "KeyDown", KeyCode, Shift); });
  Step([&] { g_KeyHeld = true; });
  if (!Met([&] { return IsArrowKey(KeyCode) && !g_KeyLoopRunning; })) return;
  const KeyLoopMark running;
  do {
    Step([&] { DoEvents(); });
    Step([&] { ArrowKeyStep(KeyCode); });
  } while (!Met([&] { return !g_KeyHeld || !picScroll->HasFocus(); }));
}

void ZelPicZoom::ArrowKeyStep(int16_t KeyCode) {
  switch (KeyCode) {
    case kKeyLeft: StepBar(*HScroll, true); break;
    case kKeyUp: StepBar(*VScroll, true); break;
    case kKeyRight: StepBar(*HScroll, false); break;
    case kKeyDown: StepBar(*VScroll, false); break;
    default: break;
  }
}

void ZelPicZoom::picScroll_KeyPress(int16_t& KeyAscii) {
  Step([&] {
    RaiseByRef(
        [&](std::span<Variant> args) { RaiseEvent(PicZoomEvent::KeyPress, "KeyPress", args); },
        KeyAscii);
  });
}

void ZelPicZoom::picScroll_KeyUp(int16_t& KeyCode, int16_t& Shift) {
  Step([&] { RaiseKeyEvent(*this, PicZoomEvent::KeyUp, "KeyUp", KeyCode, Shift); });
  Step([&] { g_KeyHeld = false; });
}

}  // namespace lumora
