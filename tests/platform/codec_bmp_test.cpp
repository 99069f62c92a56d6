// The BMP reader against files built field by field here (so every expected
// pixel is known) and against the variants of one picture in the BMP suite.
#include "platform/picture/codec_bmp.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using namespace testing;

// What a test file holds; MakeBmp lays it out as a real BMP file.
struct BmpRecipe {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // in the header from 52 bytes on, else after it
  std::vector<uint8_t> pixels;    // rows as stored, padding included
  uint32_t headerSize = 40;
  uint32_t colorsUsed = 0;
  uint16_t planes = 1;
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

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  return DecodeFault(DecodeBmp, bytes);
}

// One file built here and the pixels it decodes to.
struct Decoded {
  BmpRecipe recipe;
  std::vector<Argb> pixels;
};

BmpRecipe Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
              std::vector<uint32_t> palette, std::vector<uint32_t> masks,
              std::vector<uint8_t> pixels, uint32_t headerSize = 40, uint32_t colorsUsed = 0) {
  return {width, height, bits, compression, palette, masks, pixels, headerSize, colorsUsed};
}

TEST(BmpDecoder, EveryPixelFormatAndLayoutDecodes) {
  const std::vector<uint32_t> pal = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const std::vector<uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF},
                              krgb = {0, 0xFF0000, 0x00FF00, 0x0000FF};
  // Stored true-colour rows: bottom row first, B G R per pixel, padded to 12 bytes.
  const std::vector<uint8_t> rows = {0, 0, 255, 0,   255, 0,   255,  0,    0,    0, 0, 0,
                                     0, 0, 0,   255, 255, 255, 0x33, 0x22, 0x11, 0, 0, 0};
  const Decoded cases[] = {
      // Rows run bottom-up unless the height is negative.
      {Bmp(3, 2, 24, 0, {}, {}, rows), {kBlack, kWhite, 0xFF112233, kRed, kGreen, kBlue}},
      {Bmp(3, -2, 24, 0, {}, {}, rows), {kRed, kGreen, kBlue, kBlack, kWhite, 0xFF112233}},
      // Indexed pixels of every depth use the palette.
      {Bmp(9, 1, 1, 0, {0xFF0000, 0x00FF00}, {}, {0b10110000, 0b10000000, 0, 0}),
       {kGreen, kRed, kGreen, kGreen, kRed, kRed, kRed, kRed, kGreen}},
      {Bmp(9, 1, 2, 0, pal, {}, {0b00011011, 0b11100100, 0b01000000, 0}),
       {kRed, kGreen, kBlue, kWhite, kWhite, kBlue, kGreen, kRed, kGreen}},
      {Bmp(9, 1, 4, 0, pal, {}, {0x01, 0x23, 0x32, 0x10, 0x20, 0, 0, 0}),
       {kRed, kGreen, kBlue, kWhite, kWhite, kBlue, kGreen, kRed, kBlue}},
      // An index beyond a short palette shows black.
      {Bmp(9, 1, 8, 0, pal, {}, {3, 2, 1, 0, 4, 255, 0, 1, 2, 0, 0, 0}, 40, 4),
       {kWhite, kBlue, kGreen, kRed, kBlack, kBlack, kRed, kGreen, kBlue}},
      // 16 bits default to 5-5-5; a 5-bit 16 is 16 * 255 / 31 = 131.6.
      {Bmp(4, 1, 16, 0, {}, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}),
       {kRed, kGreen, kBlue, 0xFF848484}},
      // Bit fields, 5-6-5 after a 40-byte header; last: green 1 of 63.
      {Bmp(4, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F},
           {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x20, 0x00}),
       {kRed, kGreen, kBlue, 0xFF000400}},
      // 4-4-4-4 with alpha in a v5 header: alpha 8 of 15 is 136, red is then premultiplied.
      {Bmp(4, 1, 16, 3, {}, {0x0F00, 0x00F0, 0x000F, 0xF000},
           {0x00, 0x8F, 0x0F, 0x00, 0xFF, 0xFF, 0x00, 0xF0}, 124),
       {0x88880000, 0, kWhite, 0xFF000000}},
      // 32 bits use alpha only when a mask says so: here the fourth byte is unused.
      {Bmp(2, 1, 32, 0, {}, {}, {0x33, 0x22, 0x11, 0x7F, 0, 0, 255, 0}), {0xFF112233, kRed}},
      {Bmp(2, 1, 32, 3, {}, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
           {0, 0, 255, 128, 0x33, 0x22, 0x11, 0}, 108),
       {0x80800000, 0}},
      // Alpha bit fields after a 40-byte header, channels in an unusual order.
      {Bmp(2, 1, 32, 6, {}, {0x000000FF, 0xFF000000, 0x00FF0000, 0x0000FF00},
           {0x10, 0xFF, 0x30, 0x20, 0xFF, 0xFF, 0x00, 0x00}),
       {0xFF102030, 0xFFFF0000}},
      // Wide fields keep their top eight bits: 10-10-10 with 2 bits of alpha.
      {Bmp(2, 1, 32, 3, {}, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000},
           {0xFF, 0x03, 0x00, 0xC0, 0x00, 0x00, 0xF0, 0x3F}, 56),
       {0xFF0000FF, 0}},
      // RLE8: a run of three, an absolute run, end of line, a delta of 4
      // right and 1 up (skipping a row and a half), a run of two, the end.
      {Bmp(6, 3, 8, 1, krgb, {}, {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 4, 1, 2, 2, 0, 1}),
       {0, 0, 0, 0, kGreen, kGreen, 0, 0, 0, 0, 0, 0, kRed, kRed, kRed, kGreen, kBlue, kRed}},
      // RLE4 alternates nibbles: 1 2 1 2 1; an absolute run of three nibbles
      // and one more pixel, end of line, end of picture.
      {Bmp(5, 2, 4, 2, krgb, {}, {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 1, 0x30, 0, 0, 0, 1}),
       {kBlue, kRed, kGreen, kBlue, 0, kRed, kGreen, kRed, kGreen, kRed}},
      // OS/2 headers of both versions.
      {Bmp(3, 2, 8, 0, rgb, {}, {0, 1, 2, 0, 2, 1, 0, 0}, 12),
       {kBlue, kGreen, kRed, kRed, kGreen, kBlue}},
      {Bmp(3, 2, 8, 0, rgb, {}, {0, 1, 2, 0, 2, 1, 0, 0}, 64),
       {kBlue, kGreen, kRed, kRed, kGreen, kBlue}},
      {Bmp(3, 2, 8, 0, rgb, {}, {0, 1, 2, 0, 2, 1, 0, 0}, 16),
       {kBlue, kGreen, kRed, kRed, kGreen, kBlue}},
  };
  for (const Decoded& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.recipe.bitCount << " bits, compression " << c.recipe.compression
                 << ", header " << c.recipe.headerSize);
    EXPECT_EQ(PixelsOf(DecodeBmp(MakeBmp(c.recipe))), c.pixels);
  }
  const BmpRecipe scattered =
      Bmp(2, 1, 32, 3, {}, {0x00FF0000, 0x0000FF00, 0x000000F0 | 0x00000001, 0},
          {0xFF, 0x03, 0x00, 0xC0, 0x00, 0x00, 0xF0, 0x3F}, 56);
  EXPECT_EQ(DecodeError(MakeBmp(scattered)), "BMP: bit field mask is not contiguous");
}

TEST(BmpDecoder, RleThatLeavesThePictureIsRefused) {
  BmpRecipe recipe = Bmp(4, 2, 8, 1, {0, 0xFF0000}, {}, {});
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
  const BmpRecipe good = Bmp(2, 2, 24, 0, {}, {}, std::vector<uint8_t>(16, 0));
  ASSERT_EQ(DecodeError(MakeBmp(good)), "decoded");
  const std::pair<std::function<void(BmpRecipe&)>, const char*> cases[] = {
      {[](BmpRecipe& s) { s.headerSize = 66; }, "BMP: bad header size 66"},
      {[](BmpRecipe& s) { s.planes = 2; }, "BMP: bad plane count 2"},
      {[](BmpRecipe& s) { s.bitCount = 7; }, "BMP: bad bit count 7"},
      {[](BmpRecipe& s) { s.width = -2; }, "BMP: bad size -2x2"},
      {[](BmpRecipe& s) { s.height = 0; }, "BMP: bad size 2x0"},
      {[](BmpRecipe& s) { s.width = s.height = 100000; }, "BMP: too large (100000x100000 pixels)"},
      {[](BmpRecipe& s) { s.pixels.resize(12); }, "BMP: truncated data"},
      {[](BmpRecipe& s) { s.bitCount = 8, s.colorsUsed = 70000; }, "BMP: bad palette size 70000"},
      {[](BmpRecipe& s) { s.compression = 1; }, "BMP: bad compression 1 with 24 bits"},
      {[](BmpRecipe& s) { s.compression = 3; }, "BMP: bad compression 3 with 24 bits"},
      {[](BmpRecipe& s) { s.compression = 9; }, "BMP: unsupported compression 9"},
      {[](BmpRecipe& s) { s.compression = 4, s.bitCount = 0; },
       "BMP: unsupported compression (embedded JPEG)"},
      {[](BmpRecipe& s) {
         s.bitCount = 32, s.compression = 3, s.masks = {0, 0, 0};
       },
       "BMP: bit field masks are all zero"},
      // A 52-byte header has no room for an alpha mask, even with alpha bit fields.
      {[](BmpRecipe& s) {
         s.headerSize = 52, s.bitCount = 32, s.compression = 6;
         s.masks = {0xFF0000, 0xFF00, 0xFF};
         s.pixels.clear();
       },
       "BMP: truncated data"},
      // The last row may lack its padding; one byte less is truncation.
      {[](BmpRecipe& s) { s.pixels.resize(14); }, "decoded"},
      {[](BmpRecipe& s) { s.pixels.resize(13); }, "BMP: truncated data"},
  };
  for (const auto& [change, fault] : cases) {
    BmpRecipe recipe = good;
    change(recipe);
    EXPECT_EQ(DecodeError(MakeBmp(recipe)), fault);
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
  const auto folder = TestData() / "bmpsuite";
  for (const auto& group : groups) {
    const Raster first = DecodeBmp(FileBytes(folder / group[0]));
    EXPECT_EQ(std::pair(first.Width(), first.Height()), std::pair(127, 64));
    for (size_t i = 1; i < group.size(); ++i)
      EXPECT_TRUE(DecodeBmp(FileBytes(folder / group[i])) == first)
          << group[i] << " differs from " << group[0];
  }
}

}  // namespace
}  // namespace lumora
