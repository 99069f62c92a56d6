// Drawing primitives: pixel arithmetic, rectangles, the clipped canvas
// (fills, lines, frames, copies, masks), 3D edges and borders, and text
// (faces, measuring, wrapping, alignment, clipping).
#include <gtest/gtest.h>

#include <vector>

#include "platform/errors.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/canvas.hpp"
#include "platform/render/font.hpp"
#include "platform/render/render_test_support.hpp"
#include "platform/render/text.hpp"
#include "support/fixture.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

constexpr Argb kWhite = 0xFFFFFFFFu;
constexpr Argb kBlack = 0xFF000000u;
constexpr Argb kRed = 0xFFFF0000u;
constexpr Argb kBlue = 0xFF0000FFu;

// Rows of the raster as characters: '.' for `background`, '#' for anything else.
std::string Ascii(const Raster& r, Argb background = kBlack) {
  std::string out;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x) out += r.At(x, y) == background ? '.' : '#';
    out += '\n';
  }
  return out;
}

TEST(PixelMath, OverCompositesPremultipliedExactly) {
  EXPECT_EQ(BlendOver(0x80808080u, kBlack), 0xFF808080u);       // half white over black
  EXPECT_EQ(BlendOver(0x80000000u, kWhite), 0xFF7F7F7Fu);       // half black over white
  EXPECT_EQ(BlendOver(0x40400000u, 0x00000000u), 0x40400000u);  // over transparent keeps the source
  EXPECT_EQ(CoverageTint(0xFF80FF40u, 128), 0x80408020u);
  EXPECT_EQ(ByteScale(128, 128), 64u);
}

TEST(PixelRectTest, IntersectsAndInsets) {
  EXPECT_EQ(Intersect(CanvasRect{0, 0, 10, 10}, {5, 5, 10, 10}), (CanvasRect{5, 5, 5, 5}));
  EXPECT_TRUE(Intersect(CanvasRect{0, 0, 4, 4}, {4, 0, 4, 4}).IsEmpty());
  EXPECT_TRUE(Intersect(CanvasRect{0, 0, 4, 4}, {-10, -10, 3, 3}).IsEmpty());
  EXPECT_EQ((CanvasRect{2, 3, 10, 8}.Inset(2)), (CanvasRect{4, 5, 6, 4}));
  EXPECT_TRUE((CanvasRect{0, 0, 3, 3}.Inset(2)).IsEmpty());
}

TEST(PixelRectTest, SubtractLeavesDisjointPiecesCoveringTheRest) {
  std::vector<CanvasRect> parts{{0, 0, 10, 8}};
  Subtract(parts, {3, 2, 4, 3});  // a hole in the middle: four pieces
  EXPECT_EQ(parts.size(), 4u);
  // Every pixel outside the hole lies in exactly one piece, none inside it.
  for (int32_t y = -1; y < 9; ++y) {
    for (int32_t x = -1; x < 11; ++x) {
      int32_t n = 0;
      for (const CanvasRect& p : parts) n += p.Contains(x, y);
      const bool wanted =
          CanvasRect{0, 0, 10, 8}.Contains(x, y) && !CanvasRect{3, 2, 4, 3}.Contains(x, y);
      ASSERT_EQ(n, wanted ? 1 : 0) << x << "," << y;
    }
  }
  Subtract(parts, {-5, -5, 100, 100});  // covers everything
  EXPECT_TRUE(parts.empty());
  parts = {{0, 0, 4, 4}};
  Subtract(parts, {4, 0, 2, 2});  // touching, not overlapping: unchanged
  EXPECT_EQ(parts, (std::vector<CanvasRect>{{0, 0, 4, 4}}));
  Subtract(parts, {2, -1, 5, 9});  // cuts off the right half
  EXPECT_EQ(parts, (std::vector<CanvasRect>{{0, 0, 2, 4}}));
}

TEST(CanvasTest, FillsAreClippedToTheRasterAndTheCanvas) {
  Raster r(6, 4, kBlack);
  Canvas canvas(r);
  canvas.FillRect({-3, -3, 5, 5}, kWhite);    // reaches off the top-left corner
  canvas.FillRect({5, 3, 100, 100}, kWhite);  // off the bottom-right
  EXPECT_EQ(Ascii(r), "##....\n##....\n......\n.....#\n");

  r.Fill(kBlack);
  Canvas child = canvas.Within({1, 1, 3, 2});
  EXPECT_EQ(child.Clip(), (CanvasRect{0, 0, 3, 2}));
  child.FillRect({-1, -1, 10, 10}, kWhite);  // cannot leave its parent's rectangle
  EXPECT_EQ(Ascii(r), "......\n.###..\n.###..\n......\n");

  // A grandchild partly outside its parent sees only the overlap, in its own coordinates.
  r.Fill(kBlack);
  Canvas grandchild = child.Within({2, 1, 5, 5});
  EXPECT_EQ(grandchild.Clip(), (CanvasRect{0, 0, 1, 1}));
  grandchild.FillRect({0, 0, 5, 5}, kWhite);
  EXPECT_EQ(Ascii(r), "......\n......\n...#..\n......\n");
  EXPECT_TRUE(child.Within({7, 0, 2, 2}).IsClippedOut());
}

TEST(CanvasTest, TranslucentFillsBlend) {
  Raster r(2, 1, kWhite);
  Canvas canvas(r);
  canvas.FillRect({0, 0, 1, 1}, 0x80000000u);
  ExpectPixels(r, {{0, 0, 0xFF7F7F7Fu}, {1, 0, kWhite}});
  canvas.FillRect({1, 0, 1, 1}, 0x00000000u);  // fully transparent draws nothing
  EXPECT_EQ(r.At(1, 0), kWhite);
}

TEST(CanvasTest, LinesIncludeBothEnds) {
  Raster r(5, 5, kBlack);
  Canvas canvas(r);
  canvas.Line(0, 0, 4, 4, kWhite);
  EXPECT_EQ(Ascii(r), "#....\n.#...\n..#..\n...#.\n....#\n");
  r.Fill(kBlack);
  canvas.HLine(3, 1, 0, kWhite);  // either direction
  canvas.VLine(4, 4, 2, kWhite);
  canvas.Line(0, 4, 2, 3, kWhite);
  EXPECT_EQ(Ascii(r), ".###.\n.....\n....#\n.##.#\n#...#\n");
  r.Fill(kBlack);
  canvas.Within({1, 1, 3, 3}).Line(-2, 0, 6, 0, kWhite);  // clipped, no stray pixels
  EXPECT_EQ(Ascii(r), ".....\n.###.\n.....\n.....\n.....\n");
}

TEST(CanvasTest, FrameAndFocusRectangles) {
  Raster r(5, 4, kBlack);
  Canvas canvas(r);
  canvas.FrameRect({0, 0, 5, 4}, kWhite);
  EXPECT_EQ(Ascii(r), "#####\n#...#\n#...#\n#####\n");

  Raster f(6, 5, kBlack);
  Canvas focus(f);
  focus.FocusRect({0, 0, 6, 5});
  EXPECT_EQ(Ascii(f), "#.#.#.\n.....#\n#.....\n.....#\n#.#.#.\n");
  EXPECT_EQ(f.At(0, 0), 0xFFFFFFFFu);  // inverted, alpha kept
  focus.FocusRect({0, 0, 6, 5});       // drawing it again restores the pixels
  EXPECT_EQ(f, Raster(6, 5, kBlack));
  focus.FocusRect({1, 1, 1, 1});  // a single pixel is inverted exactly once
  EXPECT_EQ(Ascii(f), "......\n.#....\n......\n......\n......\n");
}

TEST(CanvasTest, CopyPlacesAndClipsTheSource) {
  const Raster src = CoordinatePicture(4, 3)->Pixels();
  Raster dst(5, 5, kWhite);
  Canvas canvas(dst);
  canvas.CopyFrom(src, -1, 3);  // off the left and bottom edges
  ExpectPixels(dst, {{0, 3, src.At(1, 0)}, {2, 4, src.At(3, 1)}, {3, 4, kWhite}, {0, 2, kWhite}});

  // A part of the source, into a child canvas with its own origin.
  dst.Fill(kWhite);
  Canvas child = canvas.Within({1, 1, 2, 2});
  child.CopyFrom(src, {1, 1, 3, 2}, 0, 0);
  // (3, 1): the third column is clipped by the child.
  ExpectPixels(dst, {{1, 1, src.At(1, 1)}, {2, 2, src.At(2, 2)}, {3, 1, kWhite}});
  // A source rectangle reaching past the source copies only what exists.
  dst.Fill(kWhite);
  canvas.CopyFrom(src, {2, -1, 5, 5}, 0, 0);
  ExpectPixels(dst, {{0, 1, src.At(2, 0)}, {1, 3, src.At(3, 2)}, {0, 0, kWhite}, {2, 1, kWhite}});
}

TEST(CanvasTest, CopyIgnoresAlphaAndBlendComposites) {
  Raster src(2, 1);
  src.Set(0, 0, 0x80800000u);  // half-transparent red
  src.Set(1, 0, 0x00000000u);  // transparent
  Raster dst(2, 1, kBlue);
  Canvas canvas(dst);
  canvas.BlendFrom(src, 0, 0);
  ExpectPixels(dst, {{0, 0, 0xFF80007Fu}, {1, 0, kBlue}});
  canvas.CopyFrom(src, 0, 0);
  ExpectPixels(dst, {{0, 0, 0x80800000u}, {1, 0, 0u}});
}

TEST(CanvasTest, MasksBlendTheirCoverage) {
  const uint8_t mask[] = {0, 128, 255, 9, 9, 9};  // one row of 3, stride 3, two rows
  Raster dst(4, 3, kWhite);
  Canvas canvas(dst);
  canvas.Within({1, 1, 3, 1}).BlendMask(mask, 3, 2, 3, 0, 0, kBlack);  // second row clipped
  ExpectPixels(dst, {{1, 1, kWhite}, {2, 1, 0xFF7F7F7Fu}, {3, 1, kBlack}, {2, 2, kWhite}});
}

const Argb kFace = ArgbOf(kSysButtonFace);
const Argb kLight = ArgbOf(kSysButtonLight);
const Argb kHighlight = ArgbOf(kSysButtonHighlight);
const Argb kShadow = ArgbOf(kSysButtonShadow);
const Argb kDark = ArgbOf(kSysButtonDarkShadow);

// The colours of a raster as letters, rows ending in '/': L light (the face's
// colour), H highlight, S shadow, D dark shadow, '.' anything else.
std::string EdgeColours(const Raster& r) {
  const std::pair<Argb, char> letters[] = {
      {kLight, 'L'}, {kHighlight, 'H'}, {kShadow, 'S'}, {kDark, 'D'}};
  std::string text;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x) {
      char c = '.';
      for (const auto& [argb, letter] : letters)
        if (r.At(x, y) == argb) c = letter;
      text += c;
    }
    text += '/';
  }
  return text;
}

// Raised: the outer ring light at the top and left, dark at the bottom and
// right (and the top-right and bottom-left corners); the inner ring the same
// in highlight and shadow. Sunken is its mirror.
TEST(Borders, EachEdgeColoursItsRingsAndLeavesTheInside) {
  const std::tuple<Edge, int32_t, int32_t, CanvasRect, const char*> cases[] = {
      {Edge::Raised, 6, 5, {2, 2, 2, 1}, "LLLLLD/LHHHSD/LH..SD/LSSSSD/DDDDDD/"},
      {Edge::Sunken, 5, 5, {2, 2, 1, 1}, "SSSSH/SDDLH/SD.LH/SLLLH/HHHHH/"},
      {Edge::RaisedSingle, 4, 4, {1, 1, 2, 2}, "HHHS/H..S/H..S/SSSS/"},
      {Edge::SunkenSingle, 4, 4, {1, 1, 2, 2}, "SSSH/S..H/S..H/HHHH/"},
      {Edge::Pressed, 4, 4, {2, 2, 0, 0}, "DDDD/DSSD/DSSD/DDDD/"}};
  for (const auto& [edge, width, height, inside, colours] : cases) {
    SCOPED_TRACE(static_cast<int>(edge));
    Raster r(width, height, kBlack);  // not an edge colour: the inside stays '.'
    Canvas canvas(r);
    EXPECT_EQ(DrawEdge(canvas, {0, 0, width, height}, edge), inside);
    EXPECT_EQ(EdgeColours(r), colours);
  }
}

TEST(Borders, FlatBordersAndDegenerateRectangles) {
  Raster r(4, 4, kFace);
  Canvas canvas(r);
  EXPECT_EQ(DrawFlatBorder(canvas, {0, 0, 4, 4}, 0xFF000000u, 2), (CanvasRect{2, 2, 0, 0}));
  EXPECT_EQ(r, Raster(4, 4, 0xFF000000u));
  // Degenerate rectangles draw nothing and do not crash.
  r.Fill(kFace);
  DrawEdge(canvas, {1, 1, 0, 3}, Edge::Raised);
  DrawEdge(canvas, {1, 1, 1, 1}, Edge::Sunken);
  EXPECT_EQ(r.At(1, 2), kFace);
}

// Every edge kind, a flat border, a focus rectangle and lines on a button face.
TEST(Borders, GoldenEdges) {
  Raster r(150, 40, kFace);
  Canvas canvas(r);
  const Edge edges[] = {Edge::Raised, Edge::Sunken, Edge::RaisedSingle, Edge::SunkenSingle,
                        Edge::Pressed};
  int32_t x = 4;
  for (Edge edge : edges) {
    const CanvasRect inner = DrawEdge(canvas, {x, 4, 22, 16}, edge);
    canvas.FillRect(inner, ArgbOf(kSysWindowBackground));
    x += 26;
  }
  DrawFlatBorder(canvas, {4, 24, 30, 12}, ArgbOf(kSysWindowFrame));
  canvas.FocusRect({40, 24, 30, 12});
  canvas.Line(76, 24, 100, 35, 0xFF0000FFu);
  canvas.Line(100, 24, 76, 35, 0x80800000u);  // half-transparent red
  EXPECT_TRUE(MatchesGolden(r, "primitives_edges"));
}

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

TEST_F(Text, BoldIsItsOwnWiderFace) {
  TextStyle bold{.bold = true};
  EXPECT_GT(MeasureStyledText("Heavy words here", bold).width,
            MeasureStyledText("Heavy words here", TextStyle{}).width);
  EXPECT_GT(TextLineHeight(16), TextLineHeight(8));
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
