#include "platform/render/text.hpp"

#include <gtest/gtest.h>

#include "platform/render/font.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

constexpr Argb kWhite = 0xFFFFFFFFu;

// Bounding box of the pixels that differ from white.
CanvasRect Ink(const Raster& r) {
  int32_t x0 = r.Width(), y0 = r.Height(), x1 = -1, y1 = -1;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x) {
      if (r.At(x, y) == kWhite) continue;
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
  }
  if (x1 < 0) return {};
  return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

Raster Drawn(const CanvasRect& box, std::string_view text, const TextStyle& style, int32_t w = 120,
             int32_t h = 60) {
  Raster r(w, h, kWhite);
  Canvas canvas(r);
  DrawText(canvas, box, text, style);
  return r;
}

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TextAvailable()) GTEST_SKIP() << "no font on this machine";
  }
};

TEST_F(Text, FindsAScalableSansFace) {
  const std::string path = Font::ForThread()->Path();
  EXPECT_NE(path.find("DejaVuSans"), std::string::npos) << path;
  EXPECT_GT(TextLineHeight(8), TextAscent(8));
  EXPECT_GT(TextLineHeight(16), TextLineHeight(8));
  // 8 points at 96 dpi is an em of about 10.7 pixels.
  EXPECT_GE(TextLineHeight(8), 11);
  EXPECT_LE(TextLineHeight(8), 14);
}

TEST_F(Text, BoldIsItsOwnWiderFace) {
  Font* bold = Font::ForThread(true);
  ASSERT_NE(bold, nullptr);
  EXPECT_NE(bold, Font::ForThread(false));
  TextStyle style;
  const int32_t regular = MeasureStyledText("Heavy words here", style).width;
  style.bold = true;
  EXPECT_GT(MeasureStyledText("Heavy words here", style).width, regular);
  // More ink for the same text.
  auto inked = [](const Raster& r) {
    int64_t n = 0;
    for (int32_t y = 0; y < r.Height(); ++y) {
      for (int32_t x = 0; x < r.Width(); ++x) n += 255 - (r.At(x, y) & 0xFF);
    }
    return n;
  };
  EXPECT_GT(inked(Drawn({0, 0, 120, 60}, "Ink", style)),
            inked(Drawn({0, 0, 120, 60}, "Ink", TextStyle{})) * 5 / 4);
}

TEST_F(Text, MeasuresLinesAndWraps) {
  const TextStyle style;
  const TextSize one = MeasureStyledText("Hello", style);
  const TextSize two = MeasureStyledText("Hello Hello", style);
  EXPECT_GT(one.width, 15);
  EXPECT_GT(two.width, 2 * one.width);
  EXPECT_EQ(one.height, TextLineHeight(style.points));
  EXPECT_EQ(MeasureStyledText("a\nb\r\nc", style).height, 3 * TextLineHeight(style.points));
  EXPECT_EQ(MeasureStyledText("", style).width, 0);

  TextStyle wrapped = style;
  wrapped.wrap = true;
  const TextSize w = MeasureStyledText("Hello Hello Hello", wrapped, one.width + 4);
  EXPECT_EQ(w.height, 3 * TextLineHeight(style.points));
  EXPECT_LE(w.width, one.width + 4);
  // A word wider than the box is broken rather than overflowing it.
  const TextSize broken = MeasureStyledText("Wwwwwwwwwwwwwwww", wrapped, 30);
  EXPECT_LE(broken.width, 30);
  EXPECT_GT(broken.height, TextLineHeight(style.points));
}

TEST_F(Text, AlignsInsideTheBox) {
  const CanvasRect box{10, 5, 100, 40};
  TextStyle style;
  const CanvasRect left = Ink(Drawn(box, "Caption", style));
  ASSERT_FALSE(left.IsEmpty());
  EXPECT_LE(left.x - box.x, 2);
  EXPECT_GE(left.y, box.y);
  EXPECT_LE(left.y - box.y, TextAscent(style.points));

  style.align = TextAlign::Right;
  const CanvasRect right = Ink(Drawn(box, "Caption", style));
  EXPECT_LE(box.Right() - right.Right(), 2);
  EXPECT_NEAR(right.w, left.w, 1);  // the last glyph's overhang may meet the box edge

  style.align = TextAlign::Center;
  style.valign = TextVAlign::Middle;
  const CanvasRect centred = Ink(Drawn(box, "Caption", style));
  EXPECT_LE(std::abs((centred.x - box.x) - (box.Right() - centred.Right())), 2);
  EXPECT_GT(centred.y, left.y + 5);
  style.valign = TextVAlign::Bottom;
  const CanvasRect bottom = Ink(Drawn(box, "Caption", style));
  EXPECT_LE(bottom.Bottom(), box.Bottom());
  EXPECT_GT(bottom.y, centred.y);
}

TEST_F(Text, StaysInsideItsBoxAndTheCanvasClip) {
  const CanvasRect box{20, 10, 30, 12};
  const Raster r = Drawn(box, "A long caption that does not fit", TextStyle{});
  const CanvasRect ink = Ink(r);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_EQ(Intersect(ink, box), ink);

  Raster c(120, 60, kWhite);
  Canvas canvas(c);
  Canvas child = canvas.Within({0, 0, 40, 60});
  DrawText(child, {0, 0, 120, 60}, "Wide enough to pass the clip", TextStyle{});
  EXPECT_LE(Ink(c).Right(), 40);
}

TEST_F(Text, SameTextSamePixelsAndColour) {
  TextStyle style;
  style.color = 0xFF0000FFu;
  const Raster a = Drawn({0, 0, 120, 60}, "Deterministic 123", style);
  const Raster b = Drawn({0, 0, 120, 60}, "Deterministic 123", style);
  EXPECT_EQ(a, b);
  // Fully covered pixels carry exactly the text colour; none has red or green.
  bool solid = false;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width(); ++x) {
      const Argb p = a.At(x, y);
      solid = solid || p == 0xFF0000FFu;
      EXPECT_EQ(p & 0xFF, 0xFFu);
    }
  }
  EXPECT_TRUE(solid);
}

TEST_F(Text, MalformedUtf8DrawsReplacementsWithoutFailing) {
  const std::string bad = std::string("ok ") + "\xC3" + "\xFF" + "\xE2\x82" + "\xF0\x9F\x98";
  const TextSize extent = MeasureStyledText(bad, TextStyle{});
  EXPECT_GT(extent.width, MeasureStyledText("ok ", TextStyle{}).width);
  EXPECT_FALSE(Ink(Drawn({0, 0, 120, 60}, bad, TextStyle{})).IsEmpty());
  // Well-formed multi-byte text is one character each, not replacements.
  const int32_t twoBad = MeasureStyledText("\xEF\xBF\xBD\xEF\xBF\xBD", TextStyle{}).width;
  EXPECT_LT(MeasureStyledText("\xC3\xA9", TextStyle{}).width, twoBad);
  EXPECT_LT(MeasureStyledText("\xE2\x82\xAC", TextStyle{}).width, twoBad);
}

TEST_F(Text, GoldenSamples) {
  Raster r(200, 96, kWhite);
  Canvas canvas(r);
  TextStyle style;
  DrawText(canvas, {4, 2, 192, 14}, "Left 8pt: The quick brown fox", style);
  style.align = TextAlign::Center;
  style.color = 0xFF800000u;
  DrawText(canvas, {4, 16, 192, 14}, "Centred, dark red", style);
  style.align = TextAlign::Right;
  style.points = 10;
  style.color = 0xFF000080u;
  DrawText(canvas, {4, 30, 192, 16}, "Right 10pt", style);
  style.align = TextAlign::Left;
  style.bold = true;
  DrawText(canvas, {4, 30, 192, 16}, "Bold", style);
  style = TextStyle{};
  style.wrap = true;
  canvas.FrameRect({4, 48, 90, 44}, 0xFFC0C0C0u);
  DrawText(canvas, {5, 49, 88, 42}, "Wrapped text flows onto the next lines and is clipped", style);
  style.points = 14;
  DrawText(canvas, {100, 50, 96, 40}, "Big \xC3\xA9\xE2\x82\xAC", style);
  EXPECT_TRUE(MatchesGolden(r, "primitives_text"));
}

}  // namespace
}  // namespace lumora
