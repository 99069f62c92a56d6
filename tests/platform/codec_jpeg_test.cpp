// The JPEG decoder against files written here with libjpeg (solid colours in
// every colour space, so the decoded values are known within the codec's
// rounding), against variants of one photo, and against damaged data.
#include "platform/picture/codec_jpeg.hpp"

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using namespace testing;

// What a test file holds; WriteJpeg encodes it with libjpeg at quality 100.
struct JpegRecipe {
  int width = 16;
  int height = 16;
  J_COLOR_SPACE space = JCS_RGB;
  std::vector<uint8_t> sample{};  // one pixel's components, repeated everywhere
  bool progressive = false;
  bool manyScans = false;   // over a thousand progressive scans
  bool adobeMarker = true;  // for CMYK
};

JpegRecipe Solid(J_COLOR_SPACE space, std::vector<uint8_t> sample, int width = 16,
                 int height = 16) {
  return {.width = width, .height = height, .space = space, .sample = std::move(sample)};
}

std::vector<uint8_t> WriteJpeg(const JpegRecipe& recipe) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = recipe.width;
  info.image_height = recipe.height;
  info.in_color_space = recipe.space;
  info.input_components = recipe.space == JCS_GRAYSCALE ? 1 : recipe.space == JCS_CMYK ? 4 : 3;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (recipe.space == JCS_CMYK) info.write_Adobe_marker = recipe.adobeMarker;
  if (recipe.progressive) jpeg_simple_progression(&info);
  // One DC scan, then every AC coefficient of every component refined bit by
  // bit over seven scans: 1 + 3 * 63 * 7 scans in all.
  std::vector<jpeg_scan_info> script;
  if (recipe.manyScans) {
    script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int c = 0; c < 3; ++c) {
      for (int k = 1; k < 64; ++k)
        for (int bit = 6; bit >= 0; --bit)
          script.push_back({1, {c, 0, 0, 0}, k, k, bit == 6 ? 0 : bit + 1, bit});
    }
    info.scan_info = script.data();
    info.num_scans = static_cast<int>(script.size());
  }
  jpeg_start_compress(&info, TRUE);
  const size_t stride = size_t(recipe.width) * info.input_components;
  std::vector<uint8_t> row(stride);
  while (info.next_scanline < info.image_height) {
    for (size_t x = 0; x < stride; ++x) row[x] = recipe.sample[x % recipe.sample.size()];
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// The largest difference of any channel of any pixel from the colour.
int MaxDistance(const Raster& r, Argb color) {
  int worst = 0;
  for (int32_t y = 0; y < r.Height(); ++y)
    for (int32_t x = 0; x < r.Width(); ++x) {
      const Argb p = r.At(x, y);
      if ((p >> 24) != 0xFF) return 999;
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int((p >> shift) & 0xFF) - int((color >> shift) & 0xFF)));
    }
  return worst;
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  return DecodeFault(DecodeJpeg, bytes);
}

TEST(JpegDecoder, EveryColourSpaceGivesTheColourWritten) {
  const Raster decoded = DecodeJpeg(WriteJpeg(Solid(JCS_RGB, {200, 100, 50}, 17, 9)));
  EXPECT_EQ(std::pair(decoded.Width(), decoded.Height()), std::pair(17, 9));
  EXPECT_LE(MaxDistance(decoded, 0xFFC86432), 2);
  EXPECT_LE(MaxDistance(DecodeJpeg(WriteJpeg(Solid(JCS_GRAYSCALE, {77}))), 0xFF4D4D4D), 1);
  // CMYK with an Adobe marker stores inverted inks: this is pure red.
  EXPECT_LE(MaxDistance(DecodeJpeg(WriteJpeg(Solid(JCS_CMYK, {255, 0, 0, 255}))), 0xFFFF0000), 2);
  // Plain CMYK: half cyan, no black gives (128, 255, 255).
  const JpegRecipe plain{.space = JCS_CMYK, .sample = {127, 0, 0, 0}, .adobeMarker = false};
  EXPECT_LE(MaxDistance(DecodeJpeg(WriteJpeg(plain)), 0xFF80FFFF), 2);
}

TEST(JpegDecoder, ProgressiveFilesDecodeLikeBaselineOnes) {
  // Encoder options that change only the entropy coding or the scan order.
  const auto folder = TestData() / "wuffs-testdata";
  const Raster peacock = DecodeJpeg(FileBytes(folder / "peacock.default.jpeg"));
  EXPECT_EQ(std::pair(peacock.Width(), peacock.Height()), std::pair(100, 75));
  EXPECT_TRUE(DecodeJpeg(FileBytes(folder / "peacock.optimize.jpeg")) == peacock);
  EXPECT_TRUE(DecodeJpeg(FileBytes(folder / "peacock.progressive.jpeg")) == peacock);
}

TEST(JpegDecoder, CorruptOrTruncatedDataFails) {
  const std::vector<uint8_t> good = FileBytes(TestData() / "wuffs-testdata/peacock.default.jpeg");
  ASSERT_EQ(DecodeError(good), "decoded");
  EXPECT_EQ(DecodeError({good.begin(), good.end() - 40}), "JPEG: Premature end of JPEG file");
  // A marker inside the entropy-coded data is a corrupt-data warning in
  // libjpeg, and a failure here.
  std::vector<uint8_t> marker = good;
  marker[marker.size() - 30] = 0xFF;
  marker[marker.size() - 29] = 0xD9;
  EXPECT_EQ(DecodeError(marker).rfind("JPEG: Corrupt JPEG data", 0), 0u) << DecodeError(marker);
  std::vector<uint8_t> badComment = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x01};
  badComment.insert(badComment.end(), good.begin() + 2, good.end());
  EXPECT_EQ(DecodeError(badComment), "JPEG: bad length 1 of marker 0xFE");
  EXPECT_EQ(DecodeError({0xFF, 0xD8, 0xFF, 0xD9}), "JPEG: JPEG datastream contains no image");
  const JpegRecipe scans{.width = 8, .height = 8, .sample = {10, 20, 30}, .manyScans = true};
  EXPECT_EQ(DecodeError(WriteJpeg(scans)), "JPEG: more than 1000 scans");
}

}  // namespace
}  // namespace lumora
