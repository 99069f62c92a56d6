#include "platform/render/png.hpp"

#include <png.h>

#include <memory>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"

namespace lumora {

namespace {

// Releases what libpng's simplified interface holds, on every path.
struct PngImage {
  png_image image{};
  PngImage() { image.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
};

bool IsOpaque(const Raster& raster) {
  const uint32_t* p = raster.Data();
  const size_t n = size_t(raster.Width()) * raster.Height();
  uint32_t all = 0xFF000000u;
  for (size_t i = 0; i < n; ++i) all &= p[i];
  return (all >> 24) == 0xFF;
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<uint8_t>(std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

}  // namespace

std::vector<uint8_t> EncodePng(const Raster& raster) {
  if (raster.IsEmpty()) Fail(kErrInvalidCall, "PNG export: the image is empty (no pixels)");
  const bool opaque = IsOpaque(raster);
  const int channels = opaque ? 3 : 4;
  std::vector<uint8_t> pixels(size_t(raster.Width()) * raster.Height() * channels);
  uint8_t* out = pixels.data();
  for (int32_t y = 0; y < raster.Height(); ++y) {
    const uint32_t* row = raster.Row(y);
    for (int32_t x = 0; x < raster.Width(); ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (opaque) {
        *out++ = static_cast<uint8_t>(r);
        *out++ = static_cast<uint8_t>(g);
        *out++ = static_cast<uint8_t>(b);
      } else {
        *out++ = Unpremultiply(r, a);
        *out++ = Unpremultiply(g, a);
        *out++ = Unpremultiply(b, a);
        *out++ = static_cast<uint8_t>(a);
      }
    }
  }

  PngImage png;
  png.image.width = static_cast<png_uint_32>(raster.Width());
  png.image.height = static_cast<png_uint_32>(raster.Height());
  png.image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
  const png_int_32 stride = raster.Width() * channels;
  // Worst case for stored (incompressible) data, so one pass always suffices.
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png.image);
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&png.image, bytes.data(), &size, 0, pixels.data(), stride,
                                 nullptr)) {
    Fail(kErrInvalidCall, std::string("PNG export failed: ") + png.image.message);
  }
  bytes.resize(size);
  return bytes;
}

void WritePng(const Raster& raster, const std::string& path) {
  WriteFileAtomically(path, EncodePng(raster));
}

}  // namespace lumora
