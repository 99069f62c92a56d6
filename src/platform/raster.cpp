#include "platform/raster.hpp"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "platform/errors.hpp"

namespace lumora {

namespace {

// Rasters of this size and above sit on 2 MiB boundaries and ask the kernel
// for huge pages: a fresh large image is otherwise mostly the cost of faulting
// in its 4 KiB pages one by one. Smaller ones would waste too much rounding up.
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kHugeFrom = 2 * kHugePage;
constexpr size_t kLineAlignment = 64;

}  // namespace

void RasterRelease::operator()(uint32_t* p) const {
  ::operator delete (p, std::align_val_t{alignment});
}

// Every raster's memory comes from here.
Raster::Pixels Raster::Allocate(size_t count) {
  if (count == 0) return {};
  size_t bytes = count * sizeof(uint32_t);
  const bool huge = bytes >= kHugeFrom;
  const size_t alignment = huge ? kHugePage : kLineAlignment;
  if (huge) bytes = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* memory = ::operator new (bytes, std::align_val_t{alignment});
  // Only advice: where huge pages are unavailable the memory works as it is.
  if (huge) madvise(memory, bytes, MADV_HUGEPAGE);
  return Pixels(static_cast<uint32_t*>(memory), RasterRelease{alignment});
}

Raster::Raster(int32_t width, int32_t height, Argb fill)
    : m_Width(std::max(width, 0)), m_Height(std::max(height, 0)), m_Pixels(Allocate(PixelCount())) {
  Fill(fill);
}

Raster Raster::Uninitialized(int32_t width, int32_t height) {
  Raster r;
  r.m_Width = std::max(width, 0);
  r.m_Height = std::max(height, 0);
  r.m_Pixels = Allocate(r.PixelCount());
  return r;
}

Raster::Raster(const Raster& other) : Raster(Uninitialized(other.m_Width, other.m_Height)) {
  if (PixelCount() != 0) std::memcpy(Data(), other.Data(), PixelCount() * sizeof(uint32_t));
}

Raster& Raster::operator=(const Raster& other) {
  if (this != &other) *this = Raster(other);
  return *this;
}

Raster::Raster(Raster&& other) noexcept
    : m_Width(std::exchange(other.m_Width, 0)),
      m_Height(std::exchange(other.m_Height, 0)),
      m_Pixels(std::move(other.m_Pixels)) {}

Raster& Raster::operator=(Raster&& other) noexcept {
  m_Width = std::exchange(other.m_Width, 0);
  m_Height = std::exchange(other.m_Height, 0);
  m_Pixels = std::move(other.m_Pixels);
  return *this;
}

bool Raster::operator==(const Raster& other) const {
  return m_Width == other.m_Width && m_Height == other.m_Height &&
         (PixelCount() == 0 ||
          std::memcmp(Data(), other.Data(), PixelCount() * sizeof(uint32_t)) == 0);
}

void Raster::Fill(Argb p) {
  std::fill(Data(), Data() + PixelCount(), p);
}

namespace {
thread_local int64_t t_PersistentImageLimit = int64_t{1} << 28;  // 256M pixels
}

int64_t PersistentImageLimit() {
  return t_PersistentImageLimit;
}
void SetPersistentImageLimit(int64_t pixels) {
  t_PersistentImageLimit = pixels;
}

void CheckPersistentImageSize(int32_t width, int32_t height) {
  const int64_t count = int64_t{std::max(width, 0)} * std::max(height, 0);
  if (count > t_PersistentImageLimit) Fail(kErrPersistentImage);
}

Raster NewPersistentImage(int32_t width, int32_t height) {
  CheckPersistentImageSize(width, height);
  try {
    return Raster::Uninitialized(width, height);
  } catch (const std::bad_alloc&) {
    Fail(kErrPersistentImage);
  }
}

Raster NewPersistentImage(int32_t width, int32_t height, Argb fill) {
  Raster image = NewPersistentImage(width, height);
  image.Fill(fill);
  return image;
}

}  // namespace lumora
