#include "platform/controls/label.hpp"

#include <algorithm>

#include "platform/controls/member_rows.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

thread_local TextMeasurer g_TextMeasurer;

// Without real font metrics: glyphs about 0.55 em wide, lines 1.2 em high.
TextExtent EstimateText(const std::string& text, float points, bool bold) {
  const double em = points * kPixelsPerInch / 72.0;
  size_t longest = 0;
  size_t current = 0;
  int32_t lines = 1;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      current = 0;
      continue;
    }
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++current;  // count UTF-8 characters
    longest = std::max(longest, current);
  }
  const double advance = em * (bold ? 0.6 : 0.55);
  return {static_cast<int32_t>(RoundHalfEven(advance * static_cast<double>(longest))),
          static_cast<int32_t>(RoundHalfEven(em * 1.2 * lines))};
}

void CheckZeroOrOne(int16_t value) {
  if (value != 0 && value != 1) Fail(kErrInvalidPropertyValue);
}

}  // namespace

TextMeasurer SetTextMeasurer(TextMeasurer measurer) {
  TextMeasurer previous = std::move(g_TextMeasurer);
  g_TextMeasurer = std::move(measurer);
  return previous;
}

TextExtent MeasureText(const std::string& text, float points, bool bold) {
  if (g_TextMeasurer) return g_TextMeasurer(text, points, bold);
  return EstimateText(text, points, bold);
}

Label::Label() : Control("Label") {
  TabStop(false);
}

void Label::Caption(std::string value) {
  m_Caption = std::move(value);
  if (m_AutoSize) Fit();
}

void Label::Alignment(int16_t value) {
  if (value < 0 || value > 2) Fail(kErrInvalidPropertyValue);
  m_Alignment = value;
}

void Label::AutoSize(bool value) {
  m_AutoSize = value;
  if (m_AutoSize) Fit();
}

void Label::BackStyle(int16_t value) {
  CheckZeroOrOne(value);
  m_BackStyle = value;
}

void Label::BackColor(OleColor value) {
  ResolveColor(value);
  m_BackColor = value;
}

void Label::ForeColor(OleColor value) {
  ResolveColor(value);
  m_ForeColor = value;
}

void Label::BorderStyle(int16_t value) {
  CheckZeroOrOne(value);
  m_BorderStyle = value;
  if (m_AutoSize) Fit();
}

void Label::FontSize(float points) {
  if (!(points > 0) || points > 2048) Fail(kErrInvalidPropertyValue);
  m_FontSize = points;
  if (m_AutoSize) Fit();
}

void Label::FontBold(bool value) {
  m_FontBold = value;
  if (m_AutoSize) Fit();
}

void Label::Fit() {
  const TextExtent extent = MeasureText(m_Caption, m_FontSize, m_FontBold);
  const int32_t border = m_BorderStyle == 1 ? 2 : 0;
  const ScaleMapping m = ContainerScale();
  Move(Left(), Top(), static_cast<float>((extent.width + border) * m.unitsPerPixelX),
       static_cast<float>((extent.height + border) * m.unitsPerPixelY));
}

const MemberTable& Label::Members() const {
  static const MemberTable table(
      &ControlMembers(), {
                             Property("Caption", &Label::Caption, &Label::Caption),
                             Property("Alignment", &Label::Alignment, &Label::Alignment),
                             Property("AutoSize", &Label::AutoSize, &Label::AutoSize),
                             Property("WordWrap", &Label::WordWrap, &Label::WordWrap),
                             Property("BackStyle", &Label::BackStyle, &Label::BackStyle),
                             Property("BackColor", &Label::BackColor, &Label::BackColor),
                             Property("ForeColor", &Label::ForeColor, &Label::ForeColor),
                             Property("BorderStyle", &Label::BorderStyle, &Label::BorderStyle),
                             Property("FontSize", &Label::FontSize, &Label::FontSize),
                             Property("FontBold", &Label::FontBold, &Label::FontBold),
                         });
  return table;
}

}  // namespace lumora
