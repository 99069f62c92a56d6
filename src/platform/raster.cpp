#include "platform/raster.hpp"

#include <algorithm>
#include <new>

#include "platform/errors.hpp"

namespace lumora {

Raster::Raster(int32_t width, int32_t height, Argb fill)
    : m_Width(std::max(width, 0)),
      m_Height(std::max(height, 0)),
      m_Pixels(static_cast<size_t>(m_Width) * m_Height, fill) {}

void Raster::Fill(Argb p) {
  std::fill(m_Pixels.begin(), m_Pixels.end(), p);
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

Raster NewPersistentImage(int32_t width, int32_t height, Argb fill) {
  const int64_t count = int64_t{std::max(width, 0)} * std::max(height, 0);
  if (count > t_PersistentImageLimit) Fail(kErrPersistentImage);
  try {
    return Raster(width, height, fill);
  } catch (const std::bad_alloc&) {
    Fail(kErrPersistentImage);
  }
}

}  // namespace lumora
