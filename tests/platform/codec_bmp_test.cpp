// The BMP reader against files built field by field here (so every expected
// pixel is known) and against the variants of one picture in the BMP suite.
#include "platform/codec_bmp.hpp"

#include <gtest/gtest.h>

#include "picture_test_support.hpp"
#include "platform/errors.hpp"

namespace lumora {
namespace {

constexpr Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000,
               kWhite = 0xFFFFFFFF;

// What a test file holds; MakeBmp lays it out as a real BMP file.
struct BmpRecipe {
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t planes = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> masks;    // in the header from 52 bytes on, else after it
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> pixels;    // rows as stored, padding included
};

void Put(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> MakeBmp(const BmpRecipe& s) {
  const bool core = s.headerSize == 12;
  const size_t masksAfter = s.headerSize == 40 ? s.masks.size() * 4 : 0;
  const size_t entry = core ? 3 : 4;
  const size_t offset = 14 + s.headerSize + masksAfter + s.palette.size() * entry;
  std::vector<uint8_t> out(offset, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put(out, 2, static_cast<uint32_t>(offset + s.pixels.size()), 4);
  Put(out, 10, static_cast<uint32_t>(offset), 4);
  Put(out, 14, s.headerSize, 4);
  if (core) {
    Put(out, 18, s.width, 2);
    Put(out, 20, s.height, 2);
    Put(out, 22, s.planes, 2);
    Put(out, 24, s.bitCount, 2);
  } else {
    Put(out, 18, s.width, 4);
    Put(out, 22, s.height, 4);
    Put(out, 26, s.planes, 2);
    Put(out, 28, s.bitCount, 2);
    if (s.headerSize >= 20) Put(out, 30, s.compression, 4);
    if (s.headerSize >= 36) Put(out, 46, s.colorsUsed, 4);
    for (size_t i = 0; i < s.masks.size(); ++i) Put(out, 54 + 4 * i, s.masks[i], 4);
  }
  size_t at = 14 + s.headerSize + masksAfter;
  for (uint32_t color : s.palette) {
    Put(out, at, color, 3);
    at += entry;
  }
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// The pixels of a raster, row by row from the top.
std::vector<Argb> PixelsOf(const Raster& r) {
  return {r.Data(), r.Data() + static_cast<size_t>(r.Width()) * r.Height()};
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  try {
    DecodeBmp(bytes);
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kErrInvalidPicture);
    return failure.Description();
  }
  return "decoded";
}

TEST(BmpDecoder, TrueColourRowsRunBottomUpUnlessTheHeightIsNegative) {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.height = 2;
  // Stored rows: bottom row first, B G R per pixel, padded to 12 bytes.
  recipe.pixels = {0, 0, 255, 0,   255, 0,   255,  0,    0,    0, 0, 0,  // red green blue
                   0, 0, 0,   255, 255, 255, 0x33, 0x22, 0x11, 0, 0, 0};
  const Raster up = DecodeBmp(MakeBmp(recipe));
  EXPECT_EQ(PixelsOf(up), (std::vector<Argb>{kBlack, kWhite, 0xFF112233, kRed, kGreen, kBlue}));
  recipe.height = -2;
  const Raster down = DecodeBmp(MakeBmp(recipe));
  EXPECT_EQ(PixelsOf(down), (std::vector<Argb>{kRed, kGreen, kBlue, kBlack, kWhite, 0xFF112233}));
}

TEST(BmpDecoder, IndexedPixelsOfEveryDepthUseThePalette) {
  BmpRecipe recipe;
  recipe.width = 9;
  recipe.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  recipe.bitCount = 1;
  recipe.palette.resize(2);
  recipe.pixels = {0b10110000, 0b10000000, 0, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kGreen, kRed, kGreen, kGreen, kRed, kRed, kRed, kRed, kGreen}));
  recipe.bitCount = 2;
  recipe.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  recipe.pixels = {0b00011011, 0b11100100, 0b01000000, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kRed, kGreen, kBlue, kWhite, kWhite, kBlue, kGreen, kRed, kGreen}));
  recipe.bitCount = 4;
  recipe.pixels = {0x01, 0x23, 0x32, 0x10, 0x20, 0, 0, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kRed, kGreen, kBlue, kWhite, kWhite, kBlue, kGreen, kRed, kBlue}));
  // An index beyond a short palette shows black.
  recipe.bitCount = 8;
  recipe.colorsUsed = 4;
  recipe.pixels = {3, 2, 1, 0, 4, 255, 0, 1, 2, 0, 0, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kWhite, kBlue, kGreen, kRed, kBlack, kBlack, kRed, kGreen, kBlue}));
}

TEST(BmpDecoder, SixteenBitPixelsScaleEachFieldToEightBits) {
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.bitCount = 16;
  // Default 5-5-5; a 5-bit 16 is 16 * 255 / 31 = 131.6.
  recipe.pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kRed, kGreen, kBlue, 0xFF848484}));
  recipe.compression = 3;  // bit fields, 5-6-5 after a 40-byte header
  recipe.masks = {0xF800, 0x07E0, 0x001F};
  recipe.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x20, 0x00};  // last: green 1 of 63
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kRed, kGreen, kBlue, 0xFF000400}));
  // 4-4-4-4 with alpha in a v5 header: alpha 8 of 15 is 136, red is then premultiplied.
  recipe.headerSize = 124;
  recipe.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
  recipe.pixels = {0x00, 0x8F, 0x0F, 0x00, 0xFF, 0xFF, 0x00, 0xF0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{0x88880000, 0, kWhite, 0xFF000000}));
}

TEST(BmpDecoder, ThirtyTwoBitPixelsUseAlphaOnlyWhenAMaskSaysSo) {
  BmpRecipe recipe;
  recipe.width = 2;
  recipe.bitCount = 32;
  recipe.pixels = {0x33, 0x22, 0x11, 0x7F, 0, 0, 255, 0};  // the fourth byte is unused
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), (std::vector<Argb>{0xFF112233, kRed}));
  recipe.headerSize = 108;
  recipe.compression = 3;
  recipe.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  recipe.pixels = {0, 0, 255, 128, 0x33, 0x22, 0x11, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), (std::vector<Argb>{0x80800000, 0}));
  // Alpha bit fields after a 40-byte header, channels in an unusual order.
  recipe.headerSize = 40;
  recipe.compression = 6;
  recipe.masks = {0x000000FF, 0xFF000000, 0x00FF0000, 0x0000FF00};
  recipe.pixels = {0x10, 0xFF, 0x30, 0x20, 0xFF, 0xFF, 0x00, 0x00};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), (std::vector<Argb>{0xFF102030, 0xFFFF0000}));
  // Wide fields keep their top eight bits: 10-10-10 with 2 bits of alpha.
  recipe.headerSize = 56;
  recipe.compression = 3;
  recipe.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
  recipe.pixels = {0xFF, 0x03, 0x00, 0xC0, 0x00, 0x00, 0xF0, 0x3F};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), (std::vector<Argb>{0xFF0000FF, 0}));
  recipe.masks = {0x00FF0000, 0x0000FF00, 0x000000F0 | 0x00000001, 0};
  EXPECT_EQ(DecodeError(MakeBmp(recipe)), "BMP: bit field mask is not contiguous");
}

TEST(BmpDecoder, Os2HeadersOfBothVersions) {
  BmpRecipe recipe;
  recipe.headerSize = 12;
  recipe.width = 3;
  recipe.height = 2;
  recipe.bitCount = 8;
  recipe.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  recipe.pixels = {0, 1, 2, 0, 2, 1, 0, 0};
  const std::vector<Argb> expected{kBlue, kGreen, kRed, kRed, kGreen, kBlue};
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), expected);
  recipe.headerSize = 64;
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), expected);
  recipe.headerSize = 16;
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))), expected);
}

TEST(BmpDecoder, Rle8RunsAbsoluteRunsDeltasAndEnds) {
  BmpRecipe recipe;
  recipe.width = 6;
  recipe.height = 3;
  recipe.bitCount = 8;
  recipe.compression = 1;
  recipe.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  recipe.pixels = {3, 1, 0, 3, 2, 3, 1, 0,  // bottom row: run of three, absolute run, padding
                   0, 0,                    // end of line
                   0, 2, 4, 1,              // delta: 4 right, 1 up (skips a row and a half)
                   2, 2,                    // run of two
                   0, 1};                   // end of picture
  const Raster r = DecodeBmp(MakeBmp(recipe));
  EXPECT_EQ(PixelsOf(r), (std::vector<Argb>{0, 0, 0, 0, kGreen, kGreen,  // top row
                                            0, 0, 0, 0, 0, 0,            //
                                            kRed, kRed, kRed, kGreen, kBlue, kRed}));
}

TEST(BmpDecoder, Rle4AlternatesNibbles) {
  BmpRecipe recipe;
  recipe.width = 5;
  recipe.height = 2;
  recipe.bitCount = 4;
  recipe.compression = 2;
  recipe.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  recipe.pixels = {5, 0x12, 0,    0,            // bottom row: 1 2 1 2 1
                   0, 3,    0x31, 0x20,         // absolute run of three nibbles
                   1, 0x30, 0,    0,    0, 1};  // one more pixel, end of line, end of picture
  EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(recipe))),
            (std::vector<Argb>{kBlue, kRed, kGreen, kBlue, 0,  //
                               kRed, kGreen, kRed, kGreen, kRed}));
}

TEST(BmpDecoder, RleThatLeavesThePictureIsRefused) {
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.height = 2;
  recipe.bitCount = 8;
  recipe.compression = 1;
  recipe.palette = {0x000000, 0xFF0000};
  const auto withData = [&](std::vector<uint8_t> data) {
    recipe.pixels = std::move(data);
    return DecodeError(MakeBmp(recipe));
  };
  EXPECT_EQ(withData({5, 1, 0, 1}), "BMP: RLE run past the end of a row");
  EXPECT_EQ(withData({2, 1, 0, 3, 1, 1, 1, 0}), "BMP: RLE run past the end of a row");
  EXPECT_EQ(withData({0, 2, 5, 0}), "BMP: RLE delta outside the picture");
  EXPECT_EQ(withData({0, 2, 0, 3}), "BMP: RLE delta outside the picture");
  EXPECT_EQ(withData({0, 0, 0, 0, 1, 1, 0, 1}), "BMP: RLE data beyond the last row");
  EXPECT_EQ(withData({4, 1, 0, 0}), "BMP: truncated data");  // no end of picture
  EXPECT_EQ(withData({0, 5, 1, 1}), "BMP: truncated data");  // absolute run cut short
  EXPECT_EQ(withData({4, 1, 0, 1}), "decoded");
  recipe.height = -2;
  EXPECT_EQ(withData({4, 1, 0, 1}), "BMP: top-down rows with RLE compression");
}

TEST(BmpDecoder, BadHeadersNameTheirFault) {
  BmpRecipe good;
  good.width = 2;
  good.height = 2;
  good.pixels.assign(16, 0);
  ASSERT_EQ(DecodeError(MakeBmp(good)), "decoded");
  const auto with = [&](auto change) {
    BmpRecipe recipe = good;
    change(recipe);
    return DecodeError(MakeBmp(recipe));
  };
  EXPECT_EQ(with([](BmpRecipe& s) { s.headerSize = 66; }), "BMP: bad header size 66");
  EXPECT_EQ(with([](BmpRecipe& s) { s.planes = 2; }), "BMP: bad plane count 2");
  EXPECT_EQ(with([](BmpRecipe& s) { s.bitCount = 7; }), "BMP: bad bit count 7");
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = -2; }), "BMP: bad size -2x2");
  EXPECT_EQ(with([](BmpRecipe& s) { s.height = 0; }), "BMP: bad size 2x0");
  EXPECT_EQ(with([](BmpRecipe& s) {
              s.width = 100000;
              s.height = 100000;
            }),
            "BMP: too large (100000x100000 pixels)");
  EXPECT_EQ(with([](BmpRecipe& s) { s.pixels.resize(12); }), "BMP: truncated data");
  EXPECT_EQ(with([](BmpRecipe& s) { s.pixels.clear(); }), "BMP: truncated data");
  EXPECT_EQ(with([](BmpRecipe& s) {
              s.bitCount = 8;
              s.colorsUsed = 70000;
            }),
            "BMP: bad palette size 70000");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 1; }), "BMP: bad compression 1 with 24 bits");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 3; }), "BMP: bad compression 3 with 24 bits");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 9; }), "BMP: unsupported compression 9");
  EXPECT_EQ(with([](BmpRecipe& s) {
              s.compression = 4;
              s.bitCount = 0;
            }),
            "BMP: unsupported compression (embedded JPEG)");
  EXPECT_EQ(with([](BmpRecipe& s) {
              s.bitCount = 32;
              s.compression = 3;
              s.masks = {0, 0, 0};
            }),
            "BMP: bit field masks are all zero");
  // A 52-byte header has no room for an alpha mask, even with alpha bit fields.
  EXPECT_EQ(with([](BmpRecipe& s) {
              s.headerSize = 52;
              s.bitCount = 32;
              s.compression = 6;
              s.masks = {0xFF0000, 0xFF00, 0xFF};
              s.pixels.clear();
            }),
            "BMP: truncated data");
  // The last row may lack its padding; one byte less is truncation.
  EXPECT_EQ(with([](BmpRecipe& s) { s.pixels.resize(14); }), "decoded");
  EXPECT_EQ(with([](BmpRecipe& s) { s.pixels.resize(13); }), "BMP: truncated data");
  const std::vector<uint8_t> file = MakeBmp(good);
  for (size_t size = 0; size < 18; ++size) {
    EXPECT_EQ(DecodeError({file.begin(), file.begin() + size}).rfind("BMP: truncated", 0), 0u);
  }
}

// Files of the BMP suite that store the same picture in different ways.
TEST(BmpSuite, VariantsOfOnePictureDecodeAlike) {
  const std::vector<std::vector<std::string>> groups = {
      {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8topdown.bmp", "g/pal8v4.bmp",
       "g/pal8v5.bmp", "g/pal8rle.bmp", "q/pal8os2v2.bmp", "q/pal8os2v2-16.bmp", "q/pal8offs.bmp",
       "q/pal8oversizepal.bmp", "q/pal8os2sp.bmp"},
      {"g/pal4.bmp", "g/pal4rle.bmp"},
      {"g/pal1.bmp", "g/pal1wb.bmp"},
      {"g/rgb16.bmp", "g/rgb16bfdef.bmp"},
      {"g/rgb16-565.bmp", "g/rgb16-565pal.bmp"},
      {"g/rgb24.bmp", "g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp",
       "q/rgb32fakealpha.bmp", "q/rgb32-xbgr.bmp", "q/rgb32h52.bmp", "q/rgb24largepal.bmp"},
      {"q/rgba32-1.bmp", "q/rgba32-2.bmp", "q/rgba32abf.bmp", "q/rgba32h56.bmp"},
  };
  const auto folder = testing::TestData() / "bmpsuite";
  for (const auto& group : groups) {
    const Raster first = DecodeBmp(testing::FileBytes(folder / group[0]));
    EXPECT_EQ(first.Width(), 127);
    EXPECT_EQ(first.Height(), 64);
    for (size_t i = 1; i < group.size(); ++i) {
      EXPECT_TRUE(DecodeBmp(testing::FileBytes(folder / group[i])) == first)
          << group[i] << " differs from " << group[0];
    }
  }
}

}  // namespace
}  // namespace lumora
