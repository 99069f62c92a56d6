// The PNG decoder against files written here with libpng (so every expected
// pixel is known), against PngSuite's interlaced/plain pairs, and against
// damaged or oversized files.
#include "platform/picture/codec_png.hpp"

#include <gtest/gtest.h>
#include <png.h>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using namespace testing;

// What a test file holds; WritePng encodes it with libpng.
struct PngRecipe {
  uint32_t width = 1;
  uint32_t height = 1;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  std::vector<uint8_t> rows{};  // packed rows, top first, no filter bytes
  std::vector<png_color> palette{};
  std::vector<uint8_t> paletteAlpha{};
  bool withText = false;
};

void Append(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> WritePng(const PngRecipe& recipe) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty())
    png_set_PLTE(png, info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
  if (!recipe.paletteAlpha.empty())
    png_set_tRNS(png, info, recipe.paletteAlpha.data(),
                 static_cast<int>(recipe.paletteAlpha.size()), nullptr);
  png_text text{};
  if (recipe.withText) {
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<char*>("Comment");
    text.text = const_cast<char*>("written by a test");
    png_set_text(png, info, &text, 1);
  }
  png_write_info(png, info);
  const size_t stride = recipe.rows.size() / recipe.height;
  std::vector<png_bytep> rows;
  for (uint32_t y = 0; y < recipe.height; ++y)
    rows.push_back(const_cast<png_bytep>(recipe.rows.data() + y * stride));
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  return DecodeFault(DecodePng, bytes);
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// The file with its header claiming another size (and its checksum made right).
std::vector<uint8_t> ClaimingSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    file[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
    file[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
  }
  const uint32_t crc = Crc32(file.data() + 12, 17);  // "IHDR" and its 13 bytes
  for (int i = 0; i < 4; ++i) file[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  return file;
}

// A one-row file of the given colour type and depth.
PngRecipe Row(uint32_t width, int colorType, int bitDepth, std::vector<uint8_t> row) {
  return {.width = width, .colorType = colorType, .bitDepth = bitDepth, .rows = std::move(row)};
}

TEST(PngDecoder, ColourTypesGiveStraightThenPremultipliedPixels) {
  PngRecipe palette = Row(5, PNG_COLOR_TYPE_PALETTE, 2, {0b00011011, 0b01000000});
  palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  PngRecipe translucentPalette = palette;
  translucentPalette.paletteAlpha = {0, 128};  // entries beyond the list stay opaque
  const std::pair<PngRecipe, std::vector<Argb>> cases[] = {
      {Row(4, PNG_COLOR_TYPE_RGBA, 8,
           {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 255}),
       {0xFFFF0000, 0x80008000, 0, 0xFF0A141E}},
      {Row(2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252}), {0xFF010203, 0xFFFAFBFC}},
      // 16-bit samples are scaled (rounded) to 8 bits.
      {Row(3, PNG_COLOR_TYPE_GRAY, 16, {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x7F}),
       {0xFFFFFFFF, 0xFF808080, 0xFF000000}},
      // 200 * 51 / 255 = 40
      {Row(2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 255, 200, 51}), {0xFFC8C8C8, 0x33282828}},
      {Row(10, PNG_COLOR_TYPE_GRAY, 1, {0b10100000, 0b01000000}),
       {kWhite, kBlack, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite}},
      {palette, {kRed, kGreen, kBlue, kWhite, kGreen}},
      {translucentPalette, {0, 0x80008000, kBlue, kWhite, 0x80008000}},
  };
  for (const auto& [recipe, pixels] : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "colour type " << recipe.colorType << ", depth " << recipe.bitDepth);
    EXPECT_EQ(PixelsOf(DecodePng(WritePng(recipe))), pixels);
  }
}

TEST(PngDecoder, InterlacedFilesDecodeLikePlainOnes) {
  // PngSuite's interlaced files ("basi...", "s05i...") against their plain twins.
  int pairs = 0;
  for (const auto& entry : ReadManifest(TestData() / "pngsuite/MANIFEST.tsv")) {
    std::string plainName = entry.file;
    if (entry.expected != "valid" || plainName.size() < 4 || plainName[3] != 'i') continue;
    plainName[3] = 'n';
    const auto folder = TestData() / "pngsuite";
    if (!std::filesystem::exists(folder / plainName)) continue;
    ++pairs;
    EXPECT_TRUE(DecodePng(FileBytes(folder / entry.file)) ==
                DecodePng(FileBytes(folder / plainName)))
        << entry.file << " differs from " << plainName;
  }
  EXPECT_GE(pairs, 30);
}

TEST(PngDecoder, DamageAnywhereAndExcessiveSizesAreRefused) {
  const std::vector<uint8_t> good = WritePng(
      {.width = 8, .height = 8, .rows = std::vector<uint8_t>(8 * 8 * 3, 90), .withText = true});
  ASSERT_EQ(DecodeError(good), "decoded");
  // A wrong CRC fails for the pixel data and for an ancillary (text) chunk alike.
  const auto crcOf = [&](const char* type) {
    const auto at = std::search(good.begin(), good.end(), type, type + 4) - good.begin();
    const uint32_t length =
        (good[at - 4] << 24) | (good[at - 3] << 16) | (good[at - 2] << 8) | good[at - 1];
    return static_cast<size_t>(at + 4 + length);
  };
  for (const char* type : {"IDAT", "tEXt"}) {
    std::vector<uint8_t> bad = good;
    bad[crcOf(type)] ^= 1;
    EXPECT_EQ(DecodeError(bad), std::string("PNG: ") + type + ": CRC error");
  }
  EXPECT_EQ(DecodeError({good.begin(), good.end() - 12}), "PNG: truncated data");
  std::vector<uint8_t> textMode = good;
  textMode[4] = '\n';
  EXPECT_EQ(DecodeError(textMode), "PNG: PNG file corrupted by ASCII conversion");
  // Sizes are limited before anything is allocated.
  EXPECT_EQ(DecodeError(ClaimingSize(good, 20000, 20000)), "PNG: too large (20000x20000 pixels)");
  EXPECT_EQ(DecodeError(ClaimingSize(good, 1u << 30, 1)), "PNG: too large (1073741824x1 pixels)");
  // Within the limit, but far more pixels than the few bytes left could hold.
  EXPECT_EQ(DecodeError(ClaimingSize(good, 10000, 10000)), "PNG: truncated data");
  EXPECT_EQ(DecodeError(ClaimingSize(good, 0, 5)), "PNG: Invalid IHDR data");
}

}  // namespace
}  // namespace lumora
