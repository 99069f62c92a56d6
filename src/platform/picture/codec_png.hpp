// PNG decoding through libpng, strict: benign errors and CRC errors fail, and
// chunk sizes and counts are capped.
#pragma once

#include <cstdint>
#include <span>

#include "platform/raster.hpp"

namespace lumora {

// Decodes a whole PNG file; anything bad or truncated fails with 481 "PNG: ...".
Raster DecodePng(std::span<const uint8_t> bytes);

}  // namespace lumora
