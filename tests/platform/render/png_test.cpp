// The PNG frame encoder: what it writes decodes to the pixels it was given.
#include "platform/picture/png_writer.hpp"

#include <gtest/gtest.h>

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
  constexpr uint8_t kRgb = 2, kPalette = 3;  // IHDR colour types
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
    EXPECT_EQ(bytes[24], c.bitDepth);
    EXPECT_EQ(bytes[25], c.colourType);
    EXPECT_EQ(DecodePngForTest(bytes), r);
    EXPECT_EQ(EncodePng(r), bytes) << "same pixels, same file";
  }
  const Failure failure = FailureOf([] { EncodePng(Raster()); });
  EXPECT_EQ(failure.Number(), kErrInvalidCall);
  EXPECT_NE(failure.Description().find("empty"), std::string::npos);
}

}  // namespace
}  // namespace lumora
