// Landing scaled rows in the destination (copied, streamed past the caches,
// composited or combined bitwise), and the choice of instruction sets.
#include <emmintrin.h>
#include <pixman.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/scale/scale_kernels.hpp"

namespace lumora::scale {

namespace {

Isa BestIsa() {
  static const Isa best = __builtin_cpu_supports("avx2")    ? Isa::Avx2
                          : __builtin_cpu_supports("ssse3") ? Isa::Ssse3
                                                            : Isa::Sse2;
  return best;
}

thread_local Isa t_Limit = Isa::Avx2;

// Images above this many bytes are written past the caches.
constexpr size_t kStreamBytes = size_t{32} << 20;

// Copies n pixels with non-temporal stores where the destination allows.
void StreamCopy(uint32_t* dst, const uint32_t* src, size_t n) {
  size_t i = std::min(n, ((16 - reinterpret_cast<uintptr_t>(dst) % 16) % 16) / 4);
  std::memcpy(dst, src, i * 4);
  for (; i + 4 <= n; i += 4) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
  }
  std::memcpy(dst + i, src + i, (n - i) * 4);
}

bool Opaque(const uint32_t* p, size_t n) {
  uint32_t all = 0xFF000000u;
  for (size_t i = 0; i < n; ++i) all &= p[i];
  return all == 0xFF000000u;
}

void ComposeOver(uint32_t* dst, const uint32_t* src, size_t n) {
  using ImagePtr = std::unique_ptr<pixman_image_t, decltype(&pixman_image_unref)>;
  const auto w = static_cast<int>(n);
  // pixman only reads the source image.
  ImagePtr from(pixman_image_create_bits(PIXMAN_a8r8g8b8, w, 1, const_cast<uint32_t*>(src), w * 4),
                &pixman_image_unref);
  ImagePtr to(pixman_image_create_bits(PIXMAN_a8r8g8b8, w, 1, dst, w * 4), &pixman_image_unref);
  pixman_image_composite32(PIXMAN_OP_OVER, from.get(), nullptr, to.get(), 0, 0, 0, 0, 0, 0, w, 1);
}

// A raster operation of source and destination given by its truth table.
void Combine(uint32_t* dst, const uint32_t* src, size_t n, uint8_t table) {
  // Masks of the four cases: (s, d) = (0, 0), (0, 1), (1, 0), (1, 1).
  const uint32_t m00 = table & 1 ? ~0u : 0, m01 = table & 2 ? ~0u : 0;
  const uint32_t m10 = table & 4 ? ~0u : 0, m11 = table & 8 ? ~0u : 0;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t s = src[i], d = dst[i];
    const uint32_t r = (~s & ~d & m00) | (~s & d & m01) | (s & ~d & m10) | (s & d & m11);
    dst[i] = 0xFF000000u | (r & 0x00FFFFFFu);
  }
}

}  // namespace

Isa ActiveIsa() {
  return std::min(BestIsa(), t_Limit);
}

void LimitIsa(Isa limit) {
  t_Limit = limit;
}

RowSink::RowSink(Raster& dst, int64_t x0, int64_t y0, size_t width, size_t rows, Compose compose)
    : m_Dst(dst),
      m_X0(x0),
      m_Y0(y0),
      m_Width(width),
      m_Compose(compose),
      m_Stream(width * rows * 4 > kStreamBytes),
      m_Line(Direct() ? 0 : width) {}

RowSink::~RowSink() {
  if (m_Stream) _mm_sfence();
}

uint32_t* RowSink::Destination(size_t i) {
  return m_Dst.Row(static_cast<int32_t>(m_Y0 + static_cast<int64_t>(i))) + m_X0;
}

uint32_t* RowSink::Line(size_t i) {
  return Direct() ? Destination(i) : m_Line.data();
}

void RowSink::Put(size_t i) {
  if (Direct()) return;
  uint32_t* out = Destination(i);
  if (m_Compose.kind == Compose::Kind::Bitwise) {
    Combine(out, m_Line.data(), m_Width, m_Compose.table);
  } else if (!Opaque(m_Line.data(), m_Width)) {
    ComposeOver(out, m_Line.data(), m_Width);
  } else if (m_Stream) {
    StreamCopy(out, m_Line.data(), m_Width);
  } else {
    std::memcpy(out, m_Line.data(), m_Width * 4);
  }
}

}  // namespace lumora::scale
