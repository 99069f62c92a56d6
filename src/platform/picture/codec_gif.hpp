// GIF decoding through giflib: the first frame, placed on and clipped to the
// logical screen, with its transparent colour; interlaced frames supported.
#pragma once

#include <cstdint>
#include <span>

#include "platform/raster.hpp"

namespace lumora {

// Decodes the first frame of a GIF file onto a transparent screen-sized raster;
// anything bad or truncated up to the end of that frame fails with 481 "GIF: ...".
// Colour indices beyond the colour table show black.
Raster DecodeGif(std::span<const uint8_t> bytes);

}  // namespace lumora
