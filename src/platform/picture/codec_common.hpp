// Pieces every picture decoder shares: the one way a decoder fails (error 481
// naming the format and the fault), the one pixel-count limit, and alpha
// premultiplication.
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <string>

#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"

namespace lumora {

static_assert(std::endian::native == std::endian::little,
              "decoders write 0xAARRGGBB pixels as B, G, R, A bytes");

// Throws Failure(481, "<FORMAT>: <fault>").
[[noreturn]] void FailDecode(PictureFormat format, const std::string& fault);

// Refuses (481) a picture size that is zero, negative or above
// kMaxPicturePixels ("bad size" / "too large").
void CheckPictureSize(PictureFormat format, int64_t width, int64_t height);

// While one lives, the pictures decoded on this thread are counted against
// the process's decoding budget; Take hands the count to the picture made.
class PendingDecodeCharge {
 public:
  PendingDecodeCharge();
  ~PendingDecodeCharge();
  PendingDecodeCharge(const PendingDecodeCharge&) = delete;
  PendingDecodeCharge& operator=(const PendingDecodeCharge&) = delete;
  DecodeCharge Take();

 private:
  const PendingDecodeCharge* m_Outer;  // the one this one is nested in
  int64_t m_OuterPixels;
};

// A raster for a decoded picture of the given size, refused with 481 ("too
// large" / "bad size") before anything is allocated when the size is zero,
// negative or above kMaxPicturePixels, and with 7 past a decoding budget.
// Memory exhaustion gives error 7.
Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height, Argb fill);
// The same with undefined pixels, for a decoder that writes every one (or
// fails, discarding the raster).
Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height);

// c * a / 255, correctly rounded, for c and a in 0..255.
constexpr uint32_t MulDiv255(uint32_t c, uint32_t a) {
  const uint32_t t = c * a + 128;
  return (t + (t >> 8)) >> 8;
}

// Straight-alpha 0xAARRGGBB to premultiplied.
constexpr Argb Premultiply(Argb p) {
  const uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  return (a << 24) | (MulDiv255((p >> 16) & 0xFF, a) << 16) | (MulDiv255((p >> 8) & 0xFF, a) << 8) |
         MulDiv255(p & 0xFF, a);
}

void PremultiplyPixels(std::span<uint32_t> pixels);

}  // namespace lumora
