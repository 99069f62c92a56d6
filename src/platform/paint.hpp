// PaintPicture at the raster level: a picture, or part of it, drawn scaled
// onto a surface with a raster operation. Coordinates are in pixels; controls
// convert from their own scale before calling.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/gdi.hpp"
#include "platform/raster.hpp"

namespace lumora {

// Raster operations PaintPicture accepts besides those of gdi.hpp. Each is a
// bitwise function of source and destination colours; SRCCOPY instead copies
// and composites source pixels with alpha over the destination.
constexpr uint32_t kBlackness = 0x00000042u;
constexpr uint32_t kNotSrcErase = 0x001100A6u;
constexpr uint32_t kNotSrcCopy = 0x00330008u;
constexpr uint32_t kSrcErase = 0x00440328u;
constexpr uint32_t kDstInvert = 0x00550009u;
constexpr uint32_t kMergePaint = 0x00BB0226u;
constexpr uint32_t kWhiteness = 0x00FF0062u;

// Draws the source rectangle (x2, y2, w2, h2) of src onto the destination
// rectangle (x1, y1, w1, h1) of dst. Left out: x2 and y2 are 0, w2 and h2 run
// to the picture's right and bottom edges, w1 and h1 are the source size
// (|w2|, |h2|), so by default the whole picture is drawn at its natural size
// at (x1, y1). A negative size names the rectangle ending at its origin and
// flips the picture along that axis. The destination origin and size round
// to whole pixels (halves to even); the source rectangle may be fractional.
// Equal
// sizes copy, other sizes are scaled with filtering (see ScaleInto). Fails
// with error 5 for an unsupported raster operation and error 6 for a
// coordinate that is not a finite 32-bit pixel position; nothing is drawn then.
void PaintPicture(Raster& dst, const Raster& src, double x1, double y1,
                  std::optional<double> w1 = {}, std::optional<double> h1 = {},
                  std::optional<double> x2 = {}, std::optional<double> y2 = {},
                  std::optional<double> w2 = {}, std::optional<double> h2 = {},
                  uint32_t opcode = kSrcCopy);

}  // namespace lumora
