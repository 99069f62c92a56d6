// JPEG decoding through libjpeg-turbo. Errors and corrupt-data warnings both
// fail; grey, YCbCr, RGB, CMYK and YCCK pictures are supported.
#pragma once

#include <cstdint>
#include <span>

#include "platform/raster.hpp"

namespace lumora {

// Decodes a whole JPEG file; anything bad or truncated fails with 481 "JPEG: ...".
Raster DecodeJpeg(std::span<const uint8_t> bytes);

}  // namespace lumora
