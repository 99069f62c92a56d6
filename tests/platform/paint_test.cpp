#include "platform/paint.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

constexpr Argb kPaper = 0xFFFFFFFFu;
using testing::Columns;
using testing::Coordinates;
using Size = std::optional<double>;

// Coordinates(3, 2) painted onto a blank destination with the arguments given.
struct Paint {
  int32_t width, height;
  double x1, y1;
  Size w1, h1, x2, y2, w2, h2;
  const char* expected;
};

TEST(PaintPicture, PlacesFlipsAndCropsThePicture) {
  const Paint cases[] = {
      // Left out arguments draw the whole picture at its natural size.
      {6, 4, 2, 1, {}, {}, {}, {}, {}, {}, "....../..abc./..ABC./....../"},
      // Destination edges round half to even: 0.5 -> 0, 1.5 -> 2.
      {6, 4, 0.5, 1.5, {}, {}, {}, {}, {}, {}, "....../....../abc.../ABC.../"},
      // From (1, 0) on: the rest of the picture, at its natural size.
      {5, 3, 0, 0, {}, {}, 1.0, 0.0, {}, {}, "bc.../BC.../...../"},
      // One column, given width: natural size of that part.
      {5, 3, 4, 1, {}, {}, 2.0, 0.0, 1.0, 2.0, "...../....c/....C/"},
      // A part stretched onto a larger rectangle at a whole factor.
      {5, 3, 0, 0, 4.0, 2.0, 1.0, 1.0, 1.0, 1.0, "BBBB./BBBB./...../"},
      // Width -3 from x 3: columns 0 to 2, mirrored; likewise upwards.
      {6, 3, 3, 0, -3.0, 2.0, {}, {}, {}, {}, "cba.../CBA.../....../"},
      {6, 3, 0, 3, 3.0, -2.0, {}, {}, {}, {}, "....../ABC.../abc.../"},
      // A mirrored source with the destination size left out: drawn mirrored
      // at the natural size, to the right of x1.
      {6, 3, 1, 0, {}, {}, 3.0, 0.0, -3.0, 2.0, ".cba../.CBA../....../"},
      // Both flipped: upright again.
      {6, 3, 3, 2, -3.0, -2.0, 3.0, 2.0, -3.0, -2.0, "abc.../ABC.../....../"},
  };
  for (const Paint& c : cases) {
    SCOPED_TRACE(c.expected);
    Raster dst(c.width, c.height, kPaper);
    PaintPicture(dst, Coordinates(3, 2), c.x1, c.y1, c.w1, c.h1, c.x2, c.y2, c.w2, c.h2);
    EXPECT_EQ(Columns(dst), c.expected);
  }
}

TEST(PaintPicture, ScalesWithFilteringAndCompositesOver) {
  // Two columns, black and white, shrunk to one pixel: the average.
  Raster src(2, 1);
  src.Set(0, 0, 0xFF000000u);
  src.Set(1, 0, 0xFFFFFFFFu);
  Raster dst(3, 1, 0xFF0000FFu);
  PaintPicture(dst, src, 1, 0, 1.0, 1.0);
  EXPECT_EQ(testing::PixelsOf(dst), (std::vector<Argb>{0xFF0000FFu, 0xFF808080u, 0xFF0000FFu}));
  // Enlarged three times: the middle pixel of each half keeps its colour,
  // the pixels between them are blended.
  Raster wide(6, 1, kPaper);
  PaintPicture(wide, src, 0, 0, 6.0, 1.0);
  EXPECT_EQ(std::pair(wide.At(1, 0), wide.At(4, 0)), std::pair(0xFF000000u, 0xFFFFFFFFu));
  EXPECT_EQ(wide.At(2, 0) >> 24, 0xFFu);
  EXPECT_NE(wide.At(2, 0) & 0xFF, 0u);
  EXPECT_NE(wide.At(2, 0) & 0xFF, 0xFFu);
  // Source copy composites translucent pixels over the destination.
  src.Set(0, 0, 0x00000000u);  // transparent
  src.Set(1, 0, 0x80400000u);  // half-transparent red, premultiplied
  Raster over(2, 1, 0xFF0000FFu);
  PaintPicture(over, src, 0, 0);
  EXPECT_EQ(testing::PixelsOf(over), (std::vector<Argb>{0xFF0000FFu, 0xFF40007Fu}));
}

TEST(PaintPicture, RasterOperationsCombineColours) {
  const Raster src(1, 1, 0xFF0F0F0Fu);
  // Destination 0x550A0F, source 0x0F0F0F.
  for (const auto& [opcode, expected] : {std::pair{kSrcCopy, 0xFF0F0F0Fu},
                                         {kSrcAnd, 0xFF050A0Fu},
                                         {kSrcPaint, 0xFF5F0F0Fu},
                                         {kSrcInvert, 0xFF5A0500u},
                                         {kSrcErase, 0xFF0A0500u},
                                         {kNotSrcCopy, 0xFFF0F0F0u},
                                         {kNotSrcErase, 0xFFA0F0F0u},
                                         {kMergePaint, 0xFFF5FAFFu},
                                         {kDstInvert, 0xFFAAF5F0u},
                                         {kBlackness, 0xFF000000u},
                                         {kWhiteness, 0xFFFFFFFFu}}) {
    Raster dst(3, 1, 0xFF550A0Fu);
    PaintPicture(dst, src, 1, 0, 1.0, 1.0, {}, {}, {}, {}, opcode);
    Raster expectedDst(3, 1, 0xFF550A0Fu);
    expectedDst.Set(1, 0, expected);
    EXPECT_EQ(dst, expectedDst) << std::hex << opcode;
  }
}

}  // namespace
}  // namespace lumora
