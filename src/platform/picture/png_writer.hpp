// PNG export of rendered frames and other rasters (libpng). Opaque rasters are
// written as 8-bit RGB, others as 8-bit RGBA with alpha un-premultiplied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster.hpp"

namespace lumora {

// The PNG encoding of a raster. An empty raster, or a failure inside libpng,
// fails with error 5 and a description that says why.
std::vector<uint8_t> EncodePng(const Raster& raster);

// Writes EncodePng's bytes atomically (a failed write leaves an existing file
// untouched): file errors 75/76 as WriteFileAtomically reports them.
void WritePng(const Raster& raster, const std::string& path);

}  // namespace lumora
