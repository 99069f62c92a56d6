#include "platform/render/canvas.hpp"

#include <gtest/gtest.h>

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
  EXPECT_EQ(BlendOver(0x80808080u, kBlack), 0xFF808080u);  // half white over black
  EXPECT_EQ(BlendOver(0x80000000u, kWhite), 0xFF7F7F7Fu);  // half black over white
  EXPECT_EQ(BlendOver(0x00000000u, 0xFF123456u), 0xFF123456u);
  EXPECT_EQ(BlendOver(0xFF123456u, kWhite), 0xFF123456u);
  EXPECT_EQ(BlendOver(0x40400000u, 0x00000000u), 0x40400000u);  // over transparent keeps the source
  EXPECT_EQ(CoverageTint(kRed, 255), kRed);
  EXPECT_EQ(CoverageTint(kRed, 0), 0u);
  EXPECT_EQ(CoverageTint(0xFF80FF40u, 128), 0x80408020u);
  EXPECT_EQ(ByteScale(255, 255), 255u);
  EXPECT_EQ(ByteScale(200, 0), 0u);
  EXPECT_EQ(ByteScale(128, 128), 64u);
}

TEST(PixelRectTest, IntersectsAndInsets) {
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {5, 5, 10, 10}), (CanvasRect{5, 5, 5, 5}));
  EXPECT_TRUE(Intersect({0, 0, 4, 4}, {4, 0, 4, 4}).IsEmpty());
  EXPECT_TRUE(Intersect({0, 0, 4, 4}, {-10, -10, 3, 3}).IsEmpty());
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
  EXPECT_EQ(r.At(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(r.At(1, 0), kWhite);
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

Raster Numbered(int32_t w, int32_t h) {
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) r.Set(x, y, 0xFF000000u | uint32_t(y * 16 + x));
  }
  return r;
}

TEST(CanvasTest, CopyPlacesAndClipsTheSource) {
  const Raster src = Numbered(4, 3);
  Raster dst(5, 5, kWhite);
  Canvas canvas(dst);
  canvas.CopyFrom(src, -1, 3);  // off the left and bottom edges
  EXPECT_EQ(dst.At(0, 3), src.At(1, 0));
  EXPECT_EQ(dst.At(2, 4), src.At(3, 1));
  EXPECT_EQ(dst.At(3, 4), kWhite);
  EXPECT_EQ(dst.At(0, 2), kWhite);

  // A part of the source, into a child canvas with its own origin.
  dst.Fill(kWhite);
  Canvas child = canvas.Within({1, 1, 2, 2});
  child.CopyFrom(src, {1, 1, 3, 2}, 0, 0);
  EXPECT_EQ(dst.At(1, 1), src.At(1, 1));
  EXPECT_EQ(dst.At(2, 2), src.At(2, 2));
  EXPECT_EQ(dst.At(3, 1), kWhite);  // the third column is clipped by the child
  // A source rectangle reaching past the source copies only what exists.
  dst.Fill(kWhite);
  canvas.CopyFrom(src, {2, -1, 5, 5}, 0, 0);
  EXPECT_EQ(dst.At(0, 1), src.At(2, 0));
  EXPECT_EQ(dst.At(1, 3), src.At(3, 2));
  EXPECT_EQ(dst.At(0, 0), kWhite);
  EXPECT_EQ(dst.At(2, 1), kWhite);
}

TEST(CanvasTest, CopyIgnoresAlphaAndBlendComposites) {
  Raster src(2, 1);
  src.Set(0, 0, 0x80800000u);  // half-transparent red
  src.Set(1, 0, 0x00000000u);  // transparent
  Raster dst(2, 1, kBlue);
  Canvas canvas(dst);
  canvas.BlendFrom(src, 0, 0);
  EXPECT_EQ(dst.At(0, 0), 0xFF80007Fu);
  EXPECT_EQ(dst.At(1, 0), kBlue);
  canvas.CopyFrom(src, 0, 0);
  EXPECT_EQ(dst.At(0, 0), 0x80800000u);
  EXPECT_EQ(dst.At(1, 0), 0u);
}

TEST(CanvasTest, MasksBlendTheirCoverage) {
  const uint8_t mask[] = {0, 128, 255, 9, 9, 9};  // one row of 3, stride 3, two rows
  Raster dst(4, 3, kWhite);
  Canvas canvas(dst);
  canvas.Within({1, 1, 3, 1}).BlendMask(mask, 3, 2, 3, 0, 0, kBlack);  // second row clipped
  EXPECT_EQ(dst.At(1, 1), kWhite);
  EXPECT_EQ(dst.At(2, 1), 0xFF7F7F7Fu);
  EXPECT_EQ(dst.At(3, 1), kBlack);
  EXPECT_EQ(dst.At(2, 2), kWhite);
}

}  // namespace
}  // namespace lumora
