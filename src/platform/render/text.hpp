// Text on a canvas: lines of UTF-8 laid out with the renderer's font, aligned
// in a box, optionally wrapped at spaces, clipped to the box, antialiased.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/render/canvas.hpp"

namespace lumora {

// Forms' default text size.
inline constexpr double kDefaultTextPoints = 8.25;

enum class TextAlign { Left, Center, Right };
enum class TextVAlign { Top, Middle, Bottom };

struct TextStyle {
  double points = kDefaultTextPoints;  // at 96 pixels per inch
  Argb color = 0xFF000000u;            // opaque
  TextAlign align = TextAlign::Left;
  TextVAlign valign = TextVAlign::Top;
  bool bold = false;
  bool wrap = false;  // break lines at spaces (or inside a long word) to fit the box
};

struct TextSize {
  int32_t width = 0;
  int32_t height = 0;
};

// False when no font could be loaded: text then draws nothing.
bool TextAvailable();
int32_t TextLineHeight(double points, bool bold = false);
int32_t TextAscent(double points, bool bold = false);
// Size of the laid-out text; wrapWidth applies when style.wrap is set.
TextSize MeasureStyledText(std::string_view text, const TextStyle& style, int32_t wrapWidth = 0);
void DrawText(Canvas& canvas, const CanvasRect& box, std::string_view text, const TextStyle& style);

}  // namespace lumora
