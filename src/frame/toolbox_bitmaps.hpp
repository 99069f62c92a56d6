// The classes' toolbox bitmaps (resources 30000 and 30001): 16 x 15 pixels,
// 24-bit, drawn in code. A host shows them in its control palette.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster.hpp"

namespace lumora {

inline constexpr int32_t kToolboxBitmapWidth = 16;
inline constexpr int32_t kToolboxBitmapHeight = 15;
inline constexpr int32_t kErrResourceNotFound = 326;

// The picture of a resource id; another id fails with error 326.
Raster ToolboxRaster(int32_t resourceId);

// The resource as a module stores a bitmap: a 40-byte BITMAPINFOHEADER
// (24 bits per pixel, uncompressed) and the rows bottom-up in blue, green,
// red order, each padded to 4 bytes.
std::vector<uint8_t> ToolboxBitmapResource(int32_t resourceId);

}  // namespace lumora
