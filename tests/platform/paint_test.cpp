#include "platform/paint.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

constexpr Argb kPaper = 0xFFFFFFFFu;

// A 3 x 2 picture whose pixels are the letters a to f, row by row, as opaque
// colours with red 'a' + index, so results can be read back as text.
Raster Letters() {
  Raster r(3, 2);
  for (int32_t i = 0; i < 6; ++i) r.Set(i % 3, i / 3, ToArgb(Rgb('a' + i, 0, 0)));
  return r;
}

std::string Text(const Raster& r) {
  std::string text;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x)
      text += r.At(x, y) == kPaper ? '.' : static_cast<char>(RedOf(FromArgb(r.At(x, y))));
    text += '\n';
  }
  return text;
}

TEST(PaintPicture, LeftOutArgumentsDrawTheWholePictureAtItsNaturalSize) {
  Raster dst(6, 4, kPaper);
  PaintPicture(dst, Letters(), 2, 1);
  EXPECT_EQ(Text(dst),
            "......\n"
            "..abc.\n"
            "..def.\n"
            "......\n");
  // Destination edges round half to even: 0.5 -> 0, 1.5 -> 2.
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 0.5, 1.5);
  EXPECT_EQ(Text(dst),
            "......\n"
            "......\n"
            "abc...\n"
            "def...\n");
}

TEST(PaintPicture, SourceRectanglesAndTheirDefaults) {
  Raster dst(5, 3, kPaper);
  // From (1, 0) on: the rest of the picture, at its natural size.
  PaintPicture(dst, Letters(), 0, 0, {}, {}, 1.0, 0.0);
  EXPECT_EQ(Text(dst),
            "bc...\n"
            "ef...\n"
            ".....\n");
  // One column, given width: natural size of that part.
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 4, 1, {}, {}, 2.0, 0.0, 1.0, 2.0);
  EXPECT_EQ(Text(dst),
            ".....\n"
            "....c\n"
            "....f\n");
  // A part stretched onto a larger rectangle: the letters' single pixels
  // fill their shares exactly at whole factors.
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 0, 0, 4.0, 2.0, 1.0, 1.0, 1.0, 1.0);
  EXPECT_EQ(Text(dst),
            "eeee.\n"
            "eeee.\n"
            ".....\n");
}

TEST(PaintPicture, NegativeSizesFlip) {
  Raster dst(6, 3, kPaper);
  // Width -3 from x 3: columns 0 to 2, mirrored.
  PaintPicture(dst, Letters(), 3, 0, -3.0, 2.0);
  EXPECT_EQ(Text(dst),
            "cba...\n"
            "fed...\n"
            "......\n");
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 0, 3, 3.0, -2.0);
  EXPECT_EQ(Text(dst),
            "......\n"
            "def...\n"
            "abc...\n");
  // A mirrored source with the destination size left out: drawn mirrored at
  // the natural size, to the right of x1.
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 1, 0, {}, {}, 3.0, 0.0, -3.0, 2.0);
  EXPECT_EQ(Text(dst),
            ".cba..\n"
            ".fed..\n"
            "......\n");
  // Both flipped: upright again.
  dst.Fill(kPaper);
  PaintPicture(dst, Letters(), 3, 2, -3.0, -2.0, 3.0, 2.0, -3.0, -2.0);
  EXPECT_EQ(Text(dst),
            "abc...\n"
            "def...\n"
            "......\n");
}

TEST(PaintPicture, ScalesWithFiltering) {
  // Two columns, black and white, shrunk to one pixel: the average.
  Raster src(2, 1);
  src.Set(0, 0, 0xFF000000u);
  src.Set(1, 0, 0xFFFFFFFFu);
  Raster dst(3, 1, 0xFF0000FFu);
  PaintPicture(dst, src, 1, 0, 1.0, 1.0);
  EXPECT_EQ(dst.At(0, 0), 0xFF0000FFu);
  EXPECT_EQ(dst.At(1, 0), 0xFF808080u);
  EXPECT_EQ(dst.At(2, 0), 0xFF0000FFu);
  // Enlarged three times: the middle pixel of each half keeps its colour,
  // the pixels between them are blended.
  Raster wide(6, 1, kPaper);
  PaintPicture(wide, src, 0, 0, 6.0, 1.0);
  EXPECT_EQ(wide.At(1, 0), 0xFF000000u);
  EXPECT_EQ(wide.At(4, 0), 0xFFFFFFFFu);
  EXPECT_GT(wide.At(2, 0) & 0xFF, 0u);
  EXPECT_LT(wide.At(2, 0) & 0xFF, 0xFFu);
}

TEST(PaintPicture, RasterOperationsCombineColours) {
  const Raster src(1, 1, 0xFF0F0F0Fu);
  struct Case {
    uint32_t opcode;
    Argb expected;
  };
  // Destination 0x550A0F, source 0x0F0F0F.
  for (const Case& c :
       {Case{kSrcCopy, 0xFF0F0F0Fu}, Case{kSrcAnd, 0xFF050A0Fu}, Case{kSrcPaint, 0xFF5F0F0Fu},
        Case{kSrcInvert, 0xFF5A0500u}, Case{kSrcErase, 0xFF0A0500u}, Case{kNotSrcCopy, 0xFFF0F0F0u},
        Case{kNotSrcErase, 0xFFA0F0F0u}, Case{kMergePaint, 0xFFF5FAFFu},
        Case{kDstInvert, 0xFFAAF5F0u}, Case{kBlackness, 0xFF000000u},
        Case{kWhiteness, 0xFFFFFFFFu}}) {
    Raster dst(3, 1, 0xFF550A0Fu);
    PaintPicture(dst, src, 1, 0, 1.0, 1.0, {}, {}, {}, {}, c.opcode);
    EXPECT_EQ(dst.At(1, 0), c.expected) << std::hex << c.opcode;
    EXPECT_EQ(dst.At(0, 0), 0xFF550A0Fu) << std::hex << c.opcode;
    EXPECT_EQ(dst.At(2, 0), 0xFF550A0Fu) << std::hex << c.opcode;
  }
}

TEST(PaintPicture, SourceCopyCompositesTranslucentPixelsOver) {
  Raster src(2, 1);
  src.Set(0, 0, 0x00000000u);  // transparent
  src.Set(1, 0, 0x80400000u);  // half-transparent red, premultiplied
  Raster dst(2, 1, 0xFF0000FFu);
  PaintPicture(dst, src, 0, 0);
  EXPECT_EQ(dst.At(0, 0), 0xFF0000FFu);
  EXPECT_EQ(dst.At(1, 0), 0xFF40007Fu);
}

TEST(PaintPicture, RefusesUnknownOperationsAndImpossibleCoordinates) {
  Raster dst(4, 4, kPaper);
  const Raster before = dst;
  for (uint32_t opcode : {0u, 0x00CC0000u, 0x00F00021u /* pattern copy */, 0x00CC0021u})
    EXPECT_EQ(ErrorOf([&] { PaintPicture(dst, Letters(), 0, 0, {}, {}, {}, {}, {}, {}, opcode); }),
              kErrInvalidCall)
        << std::hex << opcode;
  EXPECT_EQ(ErrorOf([&] { PaintPicture(dst, Letters(), 1e12, 0); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { PaintPicture(dst, Letters(), 0, std::nan("")); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { PaintPicture(dst, Letters(), 0, 0, 3e9); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { PaintPicture(dst, Letters(), 0, 0, {}, {}, HUGE_VAL); }), kErrOverflow);
  EXPECT_EQ(dst, before);
  // Sizes of zero and empty pictures draw nothing, without complaint.
  PaintPicture(dst, Letters(), 0, 0, 0.0, 2.0);
  PaintPicture(dst, Letters(), 0, 0, {}, {}, {}, {}, 0.0);
  PaintPicture(dst, Raster(), 0, 0);
  EXPECT_EQ(dst, before);
}

}  // namespace
}  // namespace lumora
