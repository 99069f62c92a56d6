#include "platform/controls/scroll_bar.hpp"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/member_rows.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

int16_t Clamp16(int32_t value, int32_t a, int32_t b) {
  return static_cast<int16_t>(std::clamp(value, std::min(a, b), std::max(a, b)));
}

}  // namespace

ScrollBarPart HitTest(const ScrollBarGeometry& g, int32_t x, int32_t y) {
  if (g.lowArrow.Contains(x, y)) return ScrollBarPart::LowArrow;
  if (g.highArrow.Contains(x, y)) return ScrollBarPart::HighArrow;
  if (g.thumb.Contains(x, y)) return ScrollBarPart::Thumb;
  if (g.track.Contains(x, y)) return ScrollBarPart::Track;
  return ScrollBarPart::None;
}

ScrollBar::ScrollBar(std::string className, bool vertical)
    : Control(std::move(className)), m_Vertical(vertical) {}

void ScrollBar::Min(int16_t value) {
  m_Min = value;  // Value keeps its number even if now outside the range
}

void ScrollBar::Max(int16_t value) {
  m_Max = value;  // likewise
}

bool ScrollBar::InRange(int32_t value) const {
  return value >= std::min(m_Min, m_Max) && value <= std::max(m_Min, m_Max);
}

void ScrollBar::Value(int16_t value) {
  if (!InRange(value)) Fail(kErrInvalidPropertyValue);
  SetValueRaising(value, Change, "Change");
}

void ScrollBar::SmallChange(int16_t value) {
  if (value < 1) Fail(kErrInvalidPropertyValue);
  m_SmallChange = value;
}

void ScrollBar::LargeChange(int16_t value) {
  if (value < 1) Fail(kErrInvalidPropertyValue);
  m_LargeChange = value;
}

void ScrollBar::SetValueRaising(int16_t value, PlainEvent& event, std::string_view name) {
  if (value == m_Value) return;
  m_Value = value;
  RaisePlain(event, kDispidNone, name);
}

void ScrollBar::StepBy(int32_t delta) {
  const int32_t direction = m_Max >= m_Min ? 1 : -1;
  SetValueRaising(Clamp16(int32_t{m_Value} + delta * direction, m_Min, m_Max), Change, "Change");
}

ScrollBarGeometry ScrollBar::Geometry() const {
  const PixelRect outer = FormRect();
  const int32_t length = m_Vertical ? outer.height : outer.width;
  const int32_t thickness = m_Vertical ? outer.width : outer.height;
  const int32_t arrow = std::min(thickness, length / 2);
  const int32_t trackLength = std::max(0, length - 2 * arrow);
  // Spans along the bar, turned into rectangles below.
  auto rect = [&](int32_t start, int32_t size) {
    return m_Vertical ? PixelRect{0, start, thickness, size} : PixelRect{start, 0, size, thickness};
  };
  ScrollBarGeometry g;
  g.lowArrow = rect(0, arrow);
  g.highArrow = rect(length - arrow, arrow);
  g.track = rect(arrow, trackLength);
  const int32_t range = std::abs(int32_t{m_Max} - m_Min);
  const int32_t minimum = std::min(trackLength, std::max(6, thickness / 2));
  if (range == 0 || trackLength < 6) {
    g.thumb = rect(arrow, 0);
    return g;
  }
  const double proportional = static_cast<double>(trackLength) * m_LargeChange /
                              (static_cast<double>(range) + m_LargeChange);
  const int32_t thumbLength =
      std::clamp(static_cast<int32_t>(RoundHalfEven(proportional)), minimum, trackLength);
  const double t = std::clamp(
      static_cast<double>(int32_t{m_Value} - m_Min) / (static_cast<double>(m_Max) - m_Min), 0.0,
      1.0);
  const int32_t offset =
      static_cast<int32_t>(RoundHalfEven(t * static_cast<double>(trackLength - thumbLength)));
  g.thumb = rect(arrow + offset, thumbLength);
  return g;
}

int16_t ScrollBar::ValueAtThumbOffset(int32_t offset) const {
  const ScrollBarGeometry g = Geometry();
  const int32_t trackLength = m_Vertical ? g.track.height : g.track.width;
  const int32_t thumbLength = m_Vertical ? g.thumb.height : g.thumb.width;
  const int32_t span = trackLength - thumbLength;
  if (span <= 0) return m_Min;
  const double t = std::clamp(static_cast<double>(offset) / span, 0.0, 1.0);
  return Clamp16(
      static_cast<int32_t>(RoundHalfEven(m_Min + t * (static_cast<double>(m_Max) - m_Min))), m_Min,
      m_Max);
}

void ScrollBar::OnMouseDown(PointerInput& in) {
  if (in.button != kLeftButton || m_Pressed != ScrollBarPart::None) return;
  const ScrollBarGeometry g = Geometry();
  const int32_t along = m_Vertical ? in.py : in.px;
  const int32_t thumbStart = m_Vertical ? g.thumb.top : g.thumb.left;
  m_Pressed = HitTest(g, in.px, in.py);
  switch (m_Pressed) {
    case ScrollBarPart::LowArrow: StepBy(-m_SmallChange); break;
    case ScrollBarPart::HighArrow: StepBy(m_SmallChange); break;
    case ScrollBarPart::Thumb:
      m_GripOffset = along - thumbStart;
      m_ValueAtPress = m_Value;
      break;
    case ScrollBarPart::Track: StepBy(along < thumbStart ? -m_LargeChange : m_LargeChange); break;
    case ScrollBarPart::None: break;
  }
}

void ScrollBar::OnMouseMove(PointerInput& in) {
  if (m_Pressed != ScrollBarPart::Thumb) return;
  const ScrollBarGeometry g = Geometry();
  const int32_t along = m_Vertical ? in.py : in.px;
  const int32_t trackStart = m_Vertical ? g.track.top : g.track.left;
  SetValueRaising(ValueAtThumbOffset(along - m_GripOffset - trackStart), Scroll, "Scroll");
}

void ScrollBar::OnMouseUp(PointerInput& in) {
  if (in.button != kLeftButton) return;
  const bool dragged = m_Pressed == ScrollBarPart::Thumb;
  m_Pressed = ScrollBarPart::None;
  if (dragged && m_Value != m_ValueAtPress) RaisePlain(Change, kDispidNone, "Change");
}

void ScrollBar::OnMouseWheel(int32_t delta, int16_t) {
  const int32_t notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
  if (delta != 0) StepBy(-notches * 3 * int32_t{m_SmallChange});
}

void ScrollBar::OnKeyDown(int16_t& keyCode, int16_t& shift) {
  Control::OnKeyDown(keyCode, shift);
  switch (keyCode) {
    case kKeyLeft:
    case kKeyUp: StepBy(-m_SmallChange); break;
    case kKeyRight:
    case kKeyDown: StepBy(m_SmallChange); break;
    case kKeyPageUp: StepBy(-m_LargeChange); break;
    case kKeyPageDown: StepBy(m_LargeChange); break;
    case kKeyHome: SetValueRaising(m_Min, Change, "Change"); break;
    case kKeyEnd: SetValueRaising(m_Max, Change, "Change"); break;
    default: break;
  }
}

const MemberTable& ScrollBar::Members() const {
  static const MemberTable table(
      &ControlMembers(),
      {
          Property("Min", &ScrollBar::Min, &ScrollBar::Min),
          Property("Max", &ScrollBar::Max, &ScrollBar::Max),
          Property("Value", &ScrollBar::Value, &ScrollBar::Value),
          Property("SmallChange", &ScrollBar::SmallChange, &ScrollBar::SmallChange),
          Property("LargeChange", &ScrollBar::LargeChange, &ScrollBar::LargeChange),
      });
  return table;
}

}  // namespace lumora
