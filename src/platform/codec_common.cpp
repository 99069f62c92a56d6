#include "platform/codec_common.hpp"

#include <new>

#include "platform/errors.hpp"

namespace lumora {

void FailDecode(PictureFormat format, const std::string& fault) {
  Fail(kErrInvalidPicture, std::string(FormatName(format)) + ": " + fault);
}

void CheckPictureSize(PictureFormat format, int64_t width, int64_t height) {
  const auto size = [&] { return std::to_string(width) + "x" + std::to_string(height); };
  if (width <= 0 || height <= 0) FailDecode(format, "bad size " + size());
  // Each side is checked first so that the product cannot overflow.
  if (width > kMaxPicturePixels || height > kMaxPicturePixels ||
      width * height > kMaxPicturePixels) {
    FailDecode(format, "too large (" + size() + " pixels)");
  }
}

Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height) {
  CheckPictureSize(format, width, height);
  try {
    return Raster::Uninitialized(static_cast<int32_t>(width), static_cast<int32_t>(height));
  } catch (const std::bad_alloc&) {
    Fail(kErrOutOfMemory);
  }
}

Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height, Argb fill) {
  Raster r = NewPictureRaster(format, width, height);
  r.Fill(fill);
  return r;
}

void PremultiplyPixels(std::span<uint32_t> pixels) {
  for (uint32_t& p : pixels) {
    if (p < 0xFF000000u) p = Premultiply(p);
  }
}

}  // namespace lumora
