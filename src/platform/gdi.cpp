#include "platform/gdi.hpp"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lumora {

namespace {

struct HandleTable {
  std::unordered_map<Hdc, Surface*> surfaces;
  Hdc next = 1;
};

// Function-local so that it is built on first use and so outlives any
// thread-wide object that registers a surface while it is being built.
HandleTable& Table() {
  static thread_local HandleTable table;
  return table;
}

Hdc Register(Surface* surface) {
  HandleTable& table = Table();
  while (table.next == 0 || table.surfaces.contains(table.next)) ++table.next;
  const Hdc handle = table.next++;
  table.surfaces.emplace(handle, surface);
  return handle;
}

// Premultiplied pixel to the colour it shows; fully transparent reads black.
ColorRef Unpremultiplied(Argb p) {
  const uint32_t a = p >> 24;
  if (a == 255) return FromArgb(p);
  if (a == 0) return 0;
  auto channel = [&](int shift) {
    const uint32_t c = (p >> shift) & 0xFF;
    return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a));
  };
  return Rgb(channel(16), channel(8), channel(0));
}

// One axis of a stretch: the destination pixels that land on both surfaces,
// each with the source pixel it takes.
struct AxisMap {
  std::vector<int32_t> dst;
  std::vector<int32_t> src;
  int32_t srcMin = 0;
  int32_t srcMax = -1;
};

AxisMap MapAxis(int64_t d, int64_t dn, int64_t dstLimit, int64_t s, int64_t sn, int64_t srcLimit) {
  AxisMap map;
  const bool mirror = (dn < 0) != (sn < 0);
  const int64_t dLow = dn < 0 ? d + dn : d;
  const int64_t sLow = sn < 0 ? s + sn : s;
  const int64_t n = dn < 0 ? -dn : dn;
  const int64_t m = sn < 0 ? -sn : sn;
  const int64_t first = std::max<int64_t>(0, -dLow);
  const int64_t last = std::min<int64_t>(n, dstLimit - dLow);  // exclusive
  for (int64_t i = first; i < last; ++i) {
    const int64_t j = mirror ? n - 1 - i : i;
    const int64_t k = sLow + ((2 * j + 1) * m) / (2 * n);
    if (k < 0 || k >= srcLimit) continue;
    map.dst.push_back(static_cast<int32_t>(dLow + i));
    map.src.push_back(static_cast<int32_t>(k));
  }
  if (!map.src.empty()) {
    const auto [lo, hi] = std::minmax_element(map.src.begin(), map.src.end());
    map.srcMin = *lo;
    map.srcMax = *hi;
  }
  return map;
}

// A plain raster seen as a surface.
class RasterSurface final : public Surface {
 public:
  explicit RasterSurface(Raster& raster) : m_Raster(raster) {}
  int32_t Width() const override { return m_Raster.Width(); }
  int32_t Height() const override { return m_Raster.Height(); }
  Argb At(int32_t x, int32_t y) override { return m_Raster.At(x, y); }
  void Set(int32_t x, int32_t y, Argb p) override { m_Raster.Set(x, y, p); }
  Raster Read(int32_t x, int32_t y, int32_t w, int32_t h) override {
    Raster out = Raster::Uninitialized(w, h);
    for (int32_t r = 0; r < h; ++r) std::copy_n(m_Raster.Row(y + r) + x, w, out.Row(r));
    return out;
  }
  void Write(int32_t x, int32_t y, const Raster& pixels) override {
    for (int32_t r = 0; r < pixels.Height(); ++r)
      std::copy_n(pixels.Row(r), pixels.Width(), m_Raster.Row(y + r) + x);
  }

 private:
  Raster& m_Raster;
};

bool Inside(const Surface& s, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < s.Width() && y < s.Height();
}

}  // namespace

DeviceContext::DeviceContext(Surface& surface) : m_Handle(Register(&surface)) {}

DeviceContext::DeviceContext(Raster& raster)
    : m_Adapter(std::make_unique<RasterSurface>(raster)), m_Handle(Register(m_Adapter.get())) {}

DeviceContext::~DeviceContext() {
  Release();
}

DeviceContext::DeviceContext(DeviceContext&& other) noexcept
    : m_Adapter(std::move(other.m_Adapter)), m_Handle(std::exchange(other.m_Handle, 0)) {}

DeviceContext& DeviceContext::operator=(DeviceContext&& other) noexcept {
  if (this != &other) {
    Release();
    m_Adapter = std::move(other.m_Adapter);
    m_Handle = std::exchange(other.m_Handle, 0);
  }
  return *this;
}

void DeviceContext::Release() {
  if (m_Handle != 0) Table().surfaces.erase(m_Handle);
  m_Handle = 0;
  m_Adapter.reset();
}

Surface* SurfaceOf(Hdc hdc) {
  if (hdc == 0) return nullptr;
  const HandleTable& table = Table();
  const auto it = table.surfaces.find(hdc);
  return it == table.surfaces.end() ? nullptr : it->second;
}

ColorRef GetPixel(Hdc hdc, int32_t x, int32_t y) {
  Surface* surface = SurfaceOf(hdc);
  if (surface == nullptr || !Inside(*surface, x, y)) return kClrInvalid;
  return Unpremultiplied(surface->At(x, y));
}

ColorRef SetPixel(Hdc hdc, int32_t x, int32_t y, ColorRef color) {
  Surface* surface = SurfaceOf(hdc);
  if (surface == nullptr || !Inside(*surface, x, y)) return kClrInvalid;
  const ColorRef set = color & 0x00FFFFFFu;
  surface->Set(x, y, ToArgb(set));
  return set;
}

bool StretchBlt(Hdc dst, int32_t x, int32_t y, int32_t w, int32_t h, Hdc src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
  if (rop != kSrcCopy) return false;
  Surface* target = SurfaceOf(dst);
  Surface* source = SurfaceOf(src);
  if (target == nullptr || source == nullptr || sw == 0 || sh == 0) return false;
  if (w == 0 || h == 0) return true;

  const AxisMap cols = MapAxis(x, w, target->Width(), sx, sw, source->Width());
  const AxisMap rows = MapAxis(y, h, target->Height(), sy, sh, source->Height());
  if (cols.dst.empty() || rows.dst.empty()) return true;

  // The source pixels used, read first, which also makes drawing onto the
  // source itself right. The pixels drawn are one block: each axis's
  // destination pixels are consecutive.
  const Raster from = source->Read(cols.srcMin, rows.srcMin, cols.srcMax - cols.srcMin + 1,
                                   rows.srcMax - rows.srcMin + 1);
  Raster block = Raster::Uninitialized(static_cast<int32_t>(cols.dst.size()),
                                       static_cast<int32_t>(rows.dst.size()));
  for (size_t r = 0; r < rows.dst.size(); ++r) {
    const uint32_t* in = from.Row(rows.src[r] - rows.srcMin);
    uint32_t* out = block.Row(static_cast<int32_t>(r));
    for (size_t c = 0; c < cols.dst.size(); ++c) out[c] = in[cols.src[c] - cols.srcMin];
  }
  target->Write(cols.dst.front(), rows.dst.front(), block);
  return true;
}

}  // namespace lumora
