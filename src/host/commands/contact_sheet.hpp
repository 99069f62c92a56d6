// A contact sheet: frames shrunk to thumbnails of one width, laid out in rows
// on a dark background, each captioned (the demo's overview of its tour).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster.hpp"

namespace lumora::host {

// Frames and captions pair up by index (missing captions are blank). columns
// and thumbWidth must be at least 1; no frames gives error 5.
Raster MakeContactSheet(const std::vector<Raster>& frames, const std::vector<std::string>& captions,
                        int32_t columns, int32_t thumbWidth);

}  // namespace lumora::host
