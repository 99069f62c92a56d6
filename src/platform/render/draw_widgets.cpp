// Buttons, labels, text boxes and check boxes.
#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/draw_controls.hpp"
#include "platform/render/geometry.hpp"

namespace lumora {

void DrawControlText(Canvas& canvas, const CanvasRect& box, std::string_view text, TextStyle style,
                     bool enabled) {
  if (enabled) return DrawText(canvas, box, text, style);
  style.color = ArgbOf(kSysButtonHighlight);
  DrawText(canvas, box.Offset(1, 1), text, style);
  style.color = ArgbOf(kSysGrayText);
  DrawText(canvas, box, text, style);
}

void DrawCommandButton(Canvas& canvas, const CommandButton& button) {
  const bool enabled = button.IsEffectivelyEnabled();
  const bool focused = button.HasFocus();
  const bool pressed = button.IsPressed();
  CanvasRect r = OuterRect(button);
  canvas.FillRect(r, ArgbOf(button.BackColor()));
  CanvasRect inner;
  if (pressed) {
    // Held down: a dark frame with a shadow frame inside, the caption moved by a pixel.
    inner = DrawEdge(canvas, r, Edge::Pressed).Offset(1, 1);
  } else {
    // The focused button carries a dark frame around its raised edge.
    if (focused) r = DrawFlatBorder(canvas, r, ArgbOf(kSysWindowFrame));
    inner = DrawEdge(canvas, r, Edge::Raised);
  }
  TextStyle style;
  style.align = TextAlign::Center;
  style.valign = TextVAlign::Middle;
  style.color = ArgbOf(kSysButtonText);
  DrawControlText(canvas, inner, button.Caption(), style, enabled);
  if (focused) canvas.FocusRect(OuterRect(button).Inset(4));
}

void DrawLabel(Canvas& canvas, const Label& label) {
  CanvasRect r = OuterRect(label);
  if (label.BackStyle() == 1) canvas.FillRect(r, ArgbOf(label.BackColor()));
  if (label.BorderStyle() == 1) r = DrawEdge(canvas, r, Edge::SunkenSingle);
  TextStyle style;
  style.points = label.FontSize();
  style.bold = label.FontBold();
  style.color = ArgbOf(label.ForeColor());
  style.wrap = true;  // a label breaks its caption at its width
  style.align = label.Alignment() == kAlignRight    ? TextAlign::Right
                : label.Alignment() == kAlignCenter ? TextAlign::Center
                                                    : TextAlign::Left;
  DrawControlText(canvas, r, label.Caption(), style, label.IsEffectivelyEnabled());
}

void DrawTextBox(Canvas& canvas, const TextBox& box) {
  const bool enabled = box.IsEffectivelyEnabled();
  const CanvasRect inner = DrawEdge(canvas, OuterRect(box), Edge::Sunken);
  Canvas inside = canvas.ClippedTo(inner);
  inside.FillRect(inner, ArgbOf(enabled ? box.BackColor() : kSysButtonFace));
  TextStyle style;
  style.color = ArgbOf(kSysWindowText);
  const CanvasRect textBox{inner.x + 2, inner.y + 1, inner.w - 3, inner.h - 1};
  DrawControlText(inside, textBox, box.Text(), style, enabled);
  if (box.HasFocus()) {
    // The caret sits after the last character.
    const int32_t x = textBox.x + MeasureStyledText(box.Text(), style).width;
    inside.VLine(x, textBox.y, textBox.y + TextLineHeight(style.points) - 1, style.color);
  }
}

namespace {
// A check mark in a 7 x 7 cell.
constexpr const char* kCheckMark[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
constexpr int32_t kCheckBoxSize = 13;
}  // namespace

void DrawCheckBox(Canvas& canvas, const CheckBox& box) {
  const bool enabled = box.IsEffectivelyEnabled();
  const CanvasRect outer = OuterRect(box);
  canvas.FillRect(outer, ArgbOf(kSysButtonFace));
  const CanvasRect square{0, (outer.h - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize};
  const CanvasRect well = DrawEdge(canvas, square, Edge::Sunken);
  const bool greyed = box.Value() == 2;
  canvas.FillRect(well, ArgbOf(enabled && !greyed ? kSysWindowBackground : kSysButtonFace));
  if (box.Value() != 0) {
    const Argb ink = ArgbOf(enabled && !greyed ? kSysWindowText : kSysGrayText);
    for (int32_t y = 0; y < 7; ++y) {
      for (int32_t x = 0; x < 7; ++x) {
        if (kCheckMark[y][x] == '#') canvas.SetPixel(well.x + 1 + x, well.y + 1 + y, ink);
      }
    }
  }
  TextStyle style;
  style.color = ArgbOf(kSysButtonText);
  style.valign = TextVAlign::Middle;
  const CanvasRect caption{kCheckBoxSize + 4, 0, outer.w - kCheckBoxSize - 4, outer.h};
  DrawControlText(canvas, caption, box.Caption(), style, enabled);
  if (box.HasFocus() && !box.Caption().empty()) {
    const TextSize size = MeasureStyledText(box.Caption(), style);
    const int32_t top = caption.y + (caption.h - size.height) / 2;
    canvas.FocusRect(Intersect({caption.x - 1, top - 1, size.width + 3, size.height + 2}, outer));
  }
}

}  // namespace lumora
