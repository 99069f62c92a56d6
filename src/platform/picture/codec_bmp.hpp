// Our own BMP reader: Windows headers (40, 52, 56, 108 and 124 bytes) and OS/2
// v1/v2 headers; 1, 2, 4, 8, 16, 24 and 32 bits per pixel; RLE4 and RLE8 with
// deltas; bit fields with or without alpha; bottom-up and top-down rows.
#pragma once

#include <cstdint>
#include <span>

#include "platform/raster.hpp"

namespace lumora {

// Decodes a whole BMP file; anything bad or truncated fails with 481 "BMP: ...".
// Pixels an RLE picture skips with delta or end-of-line codes stay transparent.
Raster DecodeBmp(std::span<const uint8_t> bytes);

}  // namespace lumora
