#include "platform/render/text.hpp"

#include <vector>

#include "platform/render/font.hpp"

namespace lumora {

namespace {

// Decodes UTF-8; a malformed sequence yields U+FFFD and resynchronises on the
// next byte.
std::u32string DecodeUtf8(std::string_view text) {
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  std::u32string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = -1;
    char32_t cp = 0;
    if (b < 0x80) {
      extra = 0, cp = b;
    } else if ((b >> 5) == 0x6) {
      extra = 1, cp = b & 0x1F;
    } else if ((b >> 4) == 0xE) {
      extra = 2, cp = b & 0x0F;
    } else if ((b >> 3) == 0x1E) {
      extra = 3, cp = b & 0x07;
    }
    bool ok = extra >= 0 && i + extra < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      ok = (c >> 6) == 0x2;
      cp = (cp << 6) | (c & 0x3F);
    }
    ok = ok && cp >= kSmallest[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    out.push_back(ok ? cp : U'\uFFFD');
    i += ok ? extra + 1 : 1;
  }
  return out;
}

struct Line {
  std::u32string chars;
  int32_t width = 0;  // 1/64 pixel
};

int32_t Advance(Font& font, char32_t c, double points) {
  return font.GlyphFor(c == U'\t' ? U' ' : c, points).advance;
}

void Finish(Font& font, std::vector<Line>& lines, std::u32string chars, double points) {
  while (!chars.empty() && chars.back() == U' ') chars.pop_back();
  Line line{std::move(chars), 0};
  for (char32_t c : line.chars) line.width += Advance(font, c, points);
  lines.push_back(std::move(line));
}

// Splits at line breaks and, when wrapping, at spaces so that each line fits
// `width` pixels; a word wider than the box is broken between characters.
std::vector<Line> Layout(Font& font, std::string_view text, const TextStyle& style, int32_t width) {
  std::vector<Line> lines;
  const std::u32string all = DecodeUtf8(text);
  const int32_t limit = width * 64;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(U'\n', start);
    if (end == std::u32string::npos) end = all.size();
    std::u32string para = all.substr(start, end - start);
    if (!para.empty() && para.back() == U'\r') para.pop_back();
    if (!style.wrap) {
      Finish(font, lines, std::move(para), style.points);
    } else {
      size_t lineStart = 0;
      while (true) {
        int32_t pen = 0;
        size_t i = lineStart;
        size_t lastSpace = std::u32string::npos;
        while (i < para.size()) {
          const int32_t adv = Advance(font, para[i], style.points);
          if (para[i] == U' ') lastSpace = i;
          if (pen + adv > limit && i > lineStart && para[i] != U' ') break;
          pen += adv;
          ++i;
        }
        if (i >= para.size()) {
          Finish(font, lines, para.substr(lineStart), style.points);
          break;
        }
        size_t cut = (lastSpace != std::u32string::npos && lastSpace > lineStart) ? lastSpace : i;
        Finish(font, lines, para.substr(lineStart, cut - lineStart), style.points);
        lineStart = cut;
        while (lineStart < para.size() && para[lineStart] == U' ') ++lineStart;
        if (lineStart >= para.size()) break;
      }
    }
    start = end + 1;
  }
  return lines;
}

int32_t Pixels(int32_t fixed) {
  return (fixed + 32) >> 6;
}

// A line's width in whole pixels, rounded up, so that a box of that width
// holds the line without wrapping it.
int32_t WidthPixels(int32_t fixed) {
  return (fixed + 63) >> 6;
}

int32_t FloorHalf(int32_t v) {
  return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

}  // namespace

bool TextAvailable() {
  return Font::ForThread() != nullptr;
}

int32_t TextLineHeight(double points, bool bold) {
  Font* font = Font::ForThread(bold);
  return font ? font->Metrics(points).lineHeight : 0;
}

int32_t TextAscent(double points, bool bold) {
  Font* font = Font::ForThread(bold);
  return font ? font->Metrics(points).ascent : 0;
}

TextSize MeasureStyledText(std::string_view text, const TextStyle& style, int32_t wrapWidth) {
  Font* font = Font::ForThread(style.bold);
  if (!font) return {};
  const std::vector<Line> lines = Layout(*font, text, style, wrapWidth);
  TextSize extent;
  for (const Line& line : lines) extent.width = std::max(extent.width, WidthPixels(line.width));
  extent.height = static_cast<int32_t>(lines.size()) * font->Metrics(style.points).lineHeight;
  return extent;
}

void DrawText(Canvas& canvas, const CanvasRect& box, std::string_view text,
              const TextStyle& style) {
  Font* font = Font::ForThread(style.bold);
  if (!font || text.empty()) return;
  Canvas clipped = canvas.ClippedTo(box);
  if (clipped.IsClippedOut()) return;
  const std::vector<Line> lines = Layout(*font, text, style, box.w);
  const FontMetrics metrics = font->Metrics(style.points);
  const int32_t total = static_cast<int32_t>(lines.size()) * metrics.lineHeight;
  int32_t top = box.y;
  if (style.valign == TextVAlign::Middle) top += FloorHalf(box.h - total);
  if (style.valign == TextVAlign::Bottom) top += box.h - total;
  const CanvasRect visible = clipped.Clip();
  for (size_t n = 0; n < lines.size(); ++n) {
    const Line& line = lines[n];
    const int32_t lineTop = top + static_cast<int32_t>(n) * metrics.lineHeight;
    if (lineTop >= visible.Bottom()) break;
    if (lineTop + metrics.lineHeight <= visible.y) continue;
    int32_t x = box.x;
    if (style.align == TextAlign::Center) x += FloorHalf(box.w - WidthPixels(line.width));
    if (style.align == TextAlign::Right) x += box.w - WidthPixels(line.width);
    const int32_t baseline = lineTop + metrics.ascent;
    int32_t pen = 0;
    for (char32_t c : line.chars) {
      const Glyph& g = font->GlyphFor(c == U'\t' ? U' ' : c, style.points);
      if (!g.coverage.empty()) {
        clipped.BlendMask(g.coverage.data(), g.width, g.height, g.width, x + Pixels(pen) + g.left,
                          baseline - g.top, style.color);
      }
      pen += g.advance;
    }
  }
}

}  // namespace lumora
