// RGBA32 pixel surfaces: pictures' pixels, persistent images, rendered frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/color.hpp"

namespace lumora {

// Gives a raster's memory back with the alignment it was taken with.
struct RasterRelease {
  size_t alignment = alignof(uint32_t);
  void operator()(uint32_t* p) const;
};

// Pixels are 0xAARRGGBB, premultiplied alpha, rows top to bottom, no padding
// (the layout pixman calls a8r8g8b8).
class Raster {
 public:
  Raster() = default;
  Raster(int32_t width, int32_t height, Argb fill = 0xFF000000u);
  // A raster whose pixels are left undefined, for a caller that writes every
  // pixel before any is read (a decoder, a scaler filling the whole image).
  static Raster Uninitialized(int32_t width, int32_t height);
  Raster(const Raster& other);
  Raster& operator=(const Raster& other);
  Raster(Raster&& other) noexcept;
  Raster& operator=(Raster&& other) noexcept;
  ~Raster() = default;

  int32_t Width() const { return m_Width; }
  int32_t Height() const { return m_Height; }
  bool IsEmpty() const { return m_Width == 0 || m_Height == 0; }
  int32_t Stride() const { return m_Width * 4; }  // bytes per row

  uint32_t* Data() { return m_Pixels.get(); }
  const uint32_t* Data() const { return m_Pixels.get(); }
  size_t PixelCount() const { return static_cast<size_t>(m_Width) * m_Height; }
  uint32_t* Row(int32_t y) { return m_Pixels.get() + static_cast<size_t>(y) * m_Width; }
  const uint32_t* Row(int32_t y) const { return m_Pixels.get() + static_cast<size_t>(y) * m_Width; }
  Argb At(int32_t x, int32_t y) const { return Row(y)[x]; }
  void Set(int32_t x, int32_t y, Argb p) { Row(y)[x] = p; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < m_Width && y < m_Height;
  }
  void Fill(Argb p);

  bool operator==(const Raster& other) const;

 private:
  using Pixels = std::unique_ptr<uint32_t[], RasterRelease>;
  static Pixels Allocate(size_t count);

  int32_t m_Width = 0;
  int32_t m_Height = 0;
  Pixels m_Pixels;
};

// Largest pixel count any decoded picture may have (every format).
constexpr int64_t kMaxPicturePixels = int64_t{1} << 27;  // 134M pixels, 512 MiB

// Persistent images (a picture box's AutoRedraw image) above this many pixels
// are refused with error 480. Configurable per thread; tests lower it.
int64_t PersistentImageLimit();
void SetPersistentImageLimit(int64_t pixels);
// Error 480 when the limit refuses a persistent image of this size.
void CheckPersistentImageSize(int32_t width, int32_t height);
// A new persistent image, or error 480 when the limit (or memory) refuses it.
Raster NewPersistentImage(int32_t width, int32_t height, Argb fill);
// The same with undefined pixels, for an image about to be painted over whole.
Raster NewPersistentImage(int32_t width, int32_t height);

}  // namespace lumora
