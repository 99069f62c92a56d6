// SavePicture: a picture's pixels as a 24-bit BMP, written atomically.
#include <algorithm>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = v & 0xFF;
  p[1] = (v >> 8) & 0xFF;
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}

constexpr uint32_t kHeadersSize = 14 + 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 pixels per inch

}  // namespace

// Rows are stored bottom-up and padded to 4 bytes. A 24-bit file has no alpha,
// so partly transparent pixels are composited onto white (with premultiplied
// pixels that is c + 255 - a per channel).
std::vector<uint8_t> EncodeBmp24(const Raster& pixels) {
  const int32_t width = pixels.Width();
  const int32_t height = pixels.Height();
  if (pixels.IsEmpty()) Fail(kErrInvalidCall, "Invalid procedure call or argument: empty picture");
  const uint64_t stride = (uint64_t{static_cast<uint32_t>(width)} * 3 + 3) & ~uint64_t{3};
  const uint64_t dataSize = stride * static_cast<uint32_t>(height);
  if (dataSize + kHeadersSize > UINT32_MAX) {
    Fail(kErrInvalidCall, "Invalid procedure call or argument: picture too large for a BMP file");
  }
  std::vector<uint8_t> out(kHeadersSize + dataSize, 0);
  uint8_t* h = out.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, static_cast<uint32_t>(out.size()));
  Put32(h + 10, kHeadersSize);
  Put32(h + 14, 40);
  Put32(h + 18, static_cast<uint32_t>(width));
  Put32(h + 22, static_cast<uint32_t>(height));
  Put16(h + 26, 1);   // planes
  Put16(h + 28, 24);  // bits per pixel
  Put32(h + 34, static_cast<uint32_t>(dataSize));
  Put32(h + 38, kPixelsPerMetre);
  Put32(h + 42, kPixelsPerMetre);
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = pixels.Row(y);
    uint8_t* dst = out.data() + kHeadersSize + stride * static_cast<uint32_t>(height - 1 - y);
    for (int32_t x = 0; x < width; ++x, dst += 3) {
      const uint32_t p = src[x];
      const uint32_t white = 255 - (p >> 24);
      dst[0] = static_cast<uint8_t>(std::min(255u, (p & 0xFF) + white));
      dst[1] = static_cast<uint8_t>(std::min(255u, ((p >> 8) & 0xFF) + white));
      dst[2] = static_cast<uint8_t>(std::min(255u, ((p >> 16) & 0xFF) + white));
    }
  }
  return out;
}

void SavePicture(const Picture& picture, const std::string& path) {
  WriteFileAtomically(path, EncodeBmp24(picture.Pixels()));
}

}  // namespace lumora
