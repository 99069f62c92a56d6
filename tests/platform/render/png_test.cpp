// The PNG frame encoder: what it writes decodes to the pixels it was given.
#include "platform/picture/png_writer.hpp"

#include <gtest/gtest.h>

#include "platform/render/canvas.hpp"
#include "support/golden.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

// An opaque raster cycling through `colours` distinct colours; an odd width
// so rows neither start on the same colour nor end on a byte boundary.
Raster WithColours(int colours) {
  Raster r(33, 20);
  for (int32_t k = 0; k < 33 * 20; ++k) {
    const uint32_t i = uint32_t(k % colours);
    r.Set(k % 33, k / 33, 0xFF000000u | (i << 8) | ((i * 37) & 0xFF));
  }
  return r;
}

TEST(Png, OpaqueRastersRoundTripExactlyAndEmptyOnesFail) {
  constexpr uint8_t kRgb = 2, kPalette = 3;  // IHDR colour types; 6 is RGBA
  const struct {
    int colours;
    uint8_t colourType, bitDepth;
  } cases[] = {
      {2, kPalette, 1},  {3, kPalette, 2},   {16, kPalette, 4},
      {17, kPalette, 8}, {256, kPalette, 8}, {257, kRgb, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.colours);
    const Raster r = WithColours(c.colours);
    const std::vector<uint8_t> bytes = EncodePng(r);
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    EXPECT_EQ(bytes[24], c.bitDepth);
    EXPECT_EQ(bytes[25], c.colourType);
    EXPECT_EQ(DecodePngForTest(bytes), r);
    EXPECT_EQ(EncodePng(r), bytes) << "same pixels, same file";
  }
  const Failure failure = FailureOf([] { EncodePng(Raster()); });
  EXPECT_EQ(failure.Number(), kErrInvalidCall);
  EXPECT_NE(failure.Description().find("empty"), std::string::npos);
}

// Translucent pixels are stored straight, so each colour channel comes back
// within one step of the premultiplied value it was given.
TEST(Png, TranslucentRastersKeepAlpha) {
  Raster r(64, 8);
  for (int32_t k = 0; k < 64 * 8; ++k) {
    const uint32_t a = uint32_t(k % 64 * 255 / 63), c = ByteScale(uint32_t(k / 64 * 36), a);
    r.Set(k % 64, k / 64,
          (a << 24) | (c << 16) | (ByteScale(200, a) << 8) | ByteScale(k & 0xFF, a));
  }
  const std::vector<uint8_t> bytes = EncodePng(r);
  EXPECT_EQ(bytes[25], 6) << "RGBA";
  const Raster back = DecodePngForTest(bytes);
  ASSERT_EQ(back.Width(), 64);
  for (int32_t k = 0; k < 64 * 8; ++k) {
    const Argb a = r.At(k % 64, k / 64), b = back.At(k % 64, k / 64);
    ASSERT_EQ(a >> 24, b >> 24);
    for (int s = 0; s < 24; s += 8)
      ASSERT_LE(std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)), 1) << k;
  }
}

}  // namespace
}  // namespace lumora
