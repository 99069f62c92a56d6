// Horizontal and vertical scroll bars: a value within a range that may run
// either way round (Min may exceed Max), moved by code or by the pointer
// (arrows, track, thumb) and the arrow keys.
//
// Value rules: assigning a value outside the range fails with error 380;
// assigning a different value raises Change before the assignment returns;
// the same value raises nothing. When Min or Max move past Value, Value keeps
// its number silently (no clamping, no event); only the thumb is drawn
// clamped to the range.
//
// Pointer: a press on an arrow steps SmallChange towards that end; a press on
// the track pages LargeChange towards the pointer; dragging the thumb sets
// Value at each movement that changes it, raising Scroll (not Change), and
// the release raises Change once if the value differs from the value at the
// press. One step per press (no auto-repeat). Keys when focused: arrows step,
// Page Up/Down page, Home/End go to Min/Max, each raising Change. The wheel
// steps three SmallChanges a notch. Scroll bars raise no pointer events.
#pragma once

#include <cstdint>

#include "platform/controls/control.hpp"

namespace lumora {

// The parts of a bar in pixels, relative to its outer top-left corner.
struct ScrollBarGeometry {
  PixelRect lowArrow;   // left or top arrow (towards Min)
  PixelRect highArrow;  // right or bottom arrow (towards Max)
  PixelRect track;      // between the arrows
  PixelRect thumb;      // inside the track; empty when the track is too short
};

// A part of a bar, as the pointer holds it and the painter draws it.
enum class ScrollBarPart : uint8_t { None, LowArrow, HighArrow, Track, Thumb };

// The part at (x, y) pixels from the bar's outer top-left corner: the arrows
// first, then the thumb, then the track.
ScrollBarPart HitTest(const ScrollBarGeometry& geometry, int32_t x, int32_t y);

class ScrollBar : public Control {
 public:
  bool IsVertical() const { return m_Vertical; }

  int16_t Min() const { return m_Min; }
  void Min(int16_t value);
  int16_t Max() const { return m_Max; }
  void Max(int16_t value);
  int16_t Value() const { return m_Value; }
  void Value(int16_t value);
  int16_t SmallChange() const { return m_SmallChange; }
  void SmallChange(int16_t value);  // 1..32767; else error 380
  int16_t LargeChange() const { return m_LargeChange; }
  void LargeChange(int16_t value);  // 1..32767; else error 380

  PlainEvent Change;
  PlainEvent Scroll;

  ScrollBarGeometry Geometry() const;
  // Which part the pointer holds (the painter draws a held arrow pressed).
  ScrollBarPart PressedPart() const { return m_Pressed; }

  void OnMouseDown(PointerInput& in) override;
  void OnMouseMove(PointerInput& in) override;
  void OnMouseUp(PointerInput& in) override;
  void OnMouseWheel(int32_t delta, int16_t shift) override;
  void OnKeyDown(int16_t& keyCode, int16_t& shift) override;
  bool ClicksOn(int16_t) const override { return false; }

  const MemberTable& Members() const override;

 protected:
  ScrollBar(std::string className, bool vertical);

 private:
  // Moves Value by delta towards Max (negative: towards Min), stopping at the
  // ends, and raises Change if it moved.
  void StepBy(int32_t delta);
  // Sets Value (already in range) and raises the given event on a change.
  void SetValueRaising(int16_t value, PlainEvent& event, std::string_view name);
  bool InRange(int32_t value) const;
  int16_t ValueAtThumbOffset(int32_t offset) const;

  bool m_Vertical;
  int16_t m_Min = 0;
  int16_t m_Max = 32767;
  int16_t m_Value = 0;
  int16_t m_SmallChange = 1;
  int16_t m_LargeChange = 1;
  ScrollBarPart m_Pressed = ScrollBarPart::None;
  int32_t m_GripOffset = 0;  // pointer offset inside the thumb while dragging
  int16_t m_ValueAtPress = 0;
};

class HScrollBar final : public ScrollBar {
 public:
  HScrollBar() : ScrollBar("HScrollBar", false) {}
};

class VScrollBar final : public ScrollBar {
 public:
  VScrollBar() : ScrollBar("VScrollBar", true) {}
};

}  // namespace lumora
