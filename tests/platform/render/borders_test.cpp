#include "platform/render/borders.hpp"

#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "support/golden.hpp"

namespace lumora {
namespace {

const Argb kFace = ArgbOf(kSysButtonFace);
const Argb kLight = ArgbOf(kSysButtonLight);
const Argb kHighlight = ArgbOf(kSysButtonHighlight);
const Argb kShadow = ArgbOf(kSysButtonShadow);
const Argb kDark = ArgbOf(kSysButtonDarkShadow);

TEST(Borders, SystemColoursResolveThroughThePalette) {
  EXPECT_EQ(ArgbOf(kSysButtonShadow), 0xFF808080u);
  EXPECT_EQ(ArgbOf(Rgb(1, 2, 3)), 0xFF010203u);
  try {
    ArgbOf(0x80000099u);
    FAIL() << "an unknown system colour must fail";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kErrInvalidPropertyValue);
  }
}

TEST(Borders, RaisedEdgeIsLightAboveAndDarkBelow) {
  Raster r(6, 5, kFace);
  Canvas canvas(r);
  EXPECT_EQ(DrawEdge(canvas, {0, 0, 6, 5}, Edge::Raised), (CanvasRect{2, 2, 2, 1}));
  // Outer ring: top/left light, bottom/right (and the top-right and
  // bottom-left corners) dark.
  EXPECT_EQ(r.At(0, 0), kLight);
  EXPECT_EQ(r.At(4, 0), kLight);
  EXPECT_EQ(r.At(5, 0), kDark);
  EXPECT_EQ(r.At(0, 3), kLight);
  EXPECT_EQ(r.At(0, 4), kDark);
  EXPECT_EQ(r.At(5, 4), kDark);
  // Inner ring.
  EXPECT_EQ(r.At(1, 1), kHighlight);
  EXPECT_EQ(r.At(4, 1), kShadow);
  EXPECT_EQ(r.At(1, 3), kShadow);
  EXPECT_EQ(r.At(2, 2), kFace);  // inside untouched
}

TEST(Borders, SunkenEdgeIsTheMirrorOfRaised) {
  Raster r(5, 5, kFace);
  Canvas canvas(r);
  EXPECT_EQ(DrawEdge(canvas, {0, 0, 5, 5}, Edge::Sunken), (CanvasRect{2, 2, 1, 1}));
  EXPECT_EQ(r.At(0, 0), kShadow);
  EXPECT_EQ(r.At(4, 4), kHighlight);
  EXPECT_EQ(r.At(1, 1), kDark);
  EXPECT_EQ(r.At(3, 3), kLight);
  EXPECT_EQ(r.At(2, 2), kFace);
}

TEST(Borders, SingleFlatAndPressedEdges) {
  Raster r(4, 4, kFace);
  Canvas canvas(r);
  EXPECT_EQ(DrawEdge(canvas, {0, 0, 4, 4}, Edge::RaisedSingle), (CanvasRect{1, 1, 2, 2}));
  EXPECT_EQ(r.At(0, 0), kHighlight);
  EXPECT_EQ(r.At(3, 3), kShadow);
  EXPECT_EQ(r.At(1, 1), kFace);
  EXPECT_EQ(DrawEdge(canvas, {0, 0, 4, 4}, Edge::SunkenSingle), (CanvasRect{1, 1, 2, 2}));
  EXPECT_EQ(r.At(0, 0), kShadow);
  EXPECT_EQ(r.At(3, 3), kHighlight);
  EXPECT_EQ(DrawEdge(canvas, {0, 0, 4, 4}, Edge::Pressed), (CanvasRect{2, 2, 0, 0}));
  EXPECT_EQ(r.At(0, 3), kDark);
  EXPECT_EQ(r.At(2, 1), kShadow);

  r.Fill(kFace);
  EXPECT_EQ(DrawFlatBorder(canvas, {0, 0, 4, 4}, 0xFF000000u, 2), (CanvasRect{2, 2, 0, 0}));
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(r.At(x, y), 0xFF000000u);
  }
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

}  // namespace
}  // namespace lumora
