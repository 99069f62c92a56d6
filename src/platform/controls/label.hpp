// A label: windowless text. AutoSize fits the label to its caption using the
// thread's text measurer (the renderer installs one with real font metrics;
// the default estimates from the font size).
#pragma once

#include <functional>
#include <string>

#include "platform/controls/control.hpp"

namespace lumora {

// Alignment values.
constexpr int16_t kAlignLeft = 0;
constexpr int16_t kAlignRight = 1;
constexpr int16_t kAlignCenter = 2;

struct TextExtent {
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels
};
// Measures text (lines split at '\n') in a font of that size in points.
using TextMeasurer = std::function<TextExtent(const std::string& text, float points, bool bold)>;
// Installs the thread's measurer and returns the previous one (null: the
// built-in estimate).
TextMeasurer SetTextMeasurer(TextMeasurer measurer);
TextExtent MeasureText(const std::string& text, float points, bool bold);

class Label final : public Control {
 public:
  Label();

  bool IsWindowed() const override { return false; }

  const std::string& Caption() const { return m_Caption; }
  void Caption(std::string value);
  int16_t Alignment() const { return m_Alignment; }
  void Alignment(int16_t value);  // 0..2; else error 380
  bool AutoSize() const { return m_AutoSize; }
  void AutoSize(bool value);
  bool WordWrap() const { return m_WordWrap; }
  void WordWrap(bool value) { m_WordWrap = value; }
  int16_t BackStyle() const { return m_BackStyle; }
  void BackStyle(int16_t value);  // 0 transparent, 1 opaque; else error 380
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);
  OleColor ForeColor() const { return m_ForeColor; }
  void ForeColor(OleColor value);
  int16_t BorderStyle() const { return m_BorderStyle; }
  void BorderStyle(int16_t value);  // 0 or 1; else error 380
  float FontSize() const { return m_FontSize; }
  void FontSize(float points);  // > 0; else error 380
  bool FontBold() const { return m_FontBold; }
  void FontBold(bool value);

  const MemberTable& Members() const override;

 private:
  void Fit();

  std::string m_Caption;
  int16_t m_Alignment = kAlignLeft;
  bool m_AutoSize = false;
  bool m_WordWrap = false;
  int16_t m_BackStyle = 1;
  OleColor m_BackColor = kSysButtonFace;
  OleColor m_ForeColor = kSysButtonText;
  int16_t m_BorderStyle = 0;
  float m_FontSize = 8.25f;
  bool m_FontBold = false;
};

}  // namespace lumora
