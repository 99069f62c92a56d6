// Drawing primitives: rectangles, copies on the clipped canvas, 3D edges,
// borders and lines (a golden frame), and text (a golden frame of faces,
// sizes, alignment, wrapping and clipping; malformed UTF-8).
#include <gtest/gtest.h>

#include <vector>

#include "platform/render/borders.hpp"
#include "platform/render/canvas.hpp"
#include "platform/render/render_test_support.hpp"
#include "platform/render/text.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

using testing::kWhite;

TEST(PixelRectTest, SubtractLeavesDisjointPiecesCoveringTheRest) {
  std::vector<CanvasRect> parts{{0, 0, 10, 8}};
  Subtract(parts, {3, 2, 4, 3});  // a hole in the middle
  // Every pixel outside the hole lies in exactly one piece, none inside it.
  for (int32_t y = -1; y < 9; ++y)
    for (int32_t x = -1; x < 11; ++x) {
      int32_t n = 0;
      for (const CanvasRect& p : parts) n += p.Contains(x, y);
      const bool wanted =
          CanvasRect{0, 0, 10, 8}.Contains(x, y) && !CanvasRect{3, 2, 4, 3}.Contains(x, y);
      ASSERT_EQ(n, wanted ? 1 : 0) << x << "," << y;
    }
}

TEST(CanvasTest, CopyPlacesAndClipsTheSource) {
  const Raster src = testing::Coordinates(4, 3);
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

// Every edge kind, a flat border, a focus rectangle and lines on a button face.
TEST(Borders, GoldenEdges) {
  Raster r(150, 40, ArgbOf(kSysButtonFace));
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

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TextAvailable()) GTEST_SKIP() << "no font on this machine";
  }
};

TEST_F(Text, MalformedUtf8DrawsReplacementsWithoutFailing) {
  const std::string bad = std::string("ok ") + "\xC3" + "\xFF" + "\xE2\x82" + "\xF0\x9F\x98";
  EXPECT_GT(MeasureStyledText(bad, TextStyle{}).width, MeasureStyledText("ok ", TextStyle{}).width);
  Raster r(120, 60, kWhite);
  Canvas canvas(r);
  DrawText(canvas, {0, 0, 120, 60}, bad, TextStyle{});
  EXPECT_NE(r, Raster(120, 60, kWhite));
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
  style.valign = TextVAlign::Bottom;
  DrawText(canvas, {100, 50, 96, 40}, "Big \xC3\xA9\xE2\x82\xAC", style);
  EXPECT_TRUE(MatchesGolden(r, "primitives_text"));
}

}  // namespace
}  // namespace lumora
