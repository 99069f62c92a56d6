// Device contexts: small integer handles (hDC) that stand for a raster, so that
// control code can read and draw pixels through GetPixel, SetPixel and
// StretchBlt by handle, the way it receives them from PictureBox.hDC.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/color.hpp"
#include "platform/raster.hpp"

namespace lumora {

using Hdc = uint32_t;

constexpr ColorRef kClrInvalid = 0xFFFFFFFFu;

// Raster operations (the ones this runtime draws).
constexpr uint32_t kSrcCopy = 0x00CC0020u;
constexpr uint32_t kSrcAnd = 0x008800C6u;
constexpr uint32_t kSrcPaint = 0x00EE0086u;
constexpr uint32_t kSrcInvert = 0x00660046u;

// What a device context reads and draws: a plain raster, or an image whose
// pixels are made as they are needed. Coordinates passed in lie inside.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual Argb At(int32_t x, int32_t y) = 0;
  virtual void Set(int32_t x, int32_t y, Argb p) = 0;
  // A copy of the w x h pixels from (x, y).
  virtual Raster Read(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
  // Replaces the pixels from (x, y) with `pixels`.
  virtual void Write(int32_t x, int32_t y, const Raster& pixels) = 0;
};

// Registers a surface under a fresh non-zero handle for as long as it lives.
// The handle names the surface object (the slot its owner keeps), not its
// pixels: the owner may replace the pixels in place (a new persistent image)
// and the handle follows. Handles belong to the thread that made them; a
// DeviceContext must be destroyed on that thread.
class DeviceContext {
 public:
  DeviceContext() = default;  // no handle (0)
  explicit DeviceContext(Surface& surface);
  explicit DeviceContext(Raster& raster);  // a plain raster as its surface
  ~DeviceContext();
  DeviceContext(DeviceContext&& other) noexcept;
  DeviceContext& operator=(DeviceContext&& other) noexcept;
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  Hdc Handle() const { return m_Handle; }

 private:
  void Release();
  std::unique_ptr<Surface> m_Adapter;  // for a plain raster
  Hdc m_Handle = 0;
};

// The surface a handle stands for on this thread, or null (0, unknown,
// released).
Surface* SurfaceOf(Hdc hdc);

// The colour of one pixel (alpha removed), or kClrInvalid outside the surface
// or for a bad handle.
ColorRef GetPixel(Hdc hdc, int32_t x, int32_t y);
// Sets one opaque pixel and returns the colour set (its low 24 bits), or
// kClrInvalid outside the surface or for a bad handle.
ColorRef SetPixel(Hdc hdc, int32_t x, int32_t y, ColorRef color);

// Copies the source rectangle onto the destination rectangle with exact
// nearest-neighbour sampling: destination pixel i of n takes source pixel
// floor((i + 1/2) * m / n) of m, so a single source pixel fills exactly its
// destination rectangle. A negative width or height names the rectangle that
// ends at x (or y), [x + w, x), and mirrors it; mirroring happens when source
// and destination signs differ. Pixels outside either surface are left alone.
// Source and destination may be the same surface, overlapping. Only kSrcCopy
// is supported; other operations, bad handles or an empty source return false.
bool StretchBlt(Hdc dst, int32_t x, int32_t y, int32_t w, int32_t h, Hdc src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, uint32_t rop);

}  // namespace lumora
