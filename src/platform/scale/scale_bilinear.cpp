// Bilinear enlargement: each source row the output needs is interpolated
// across once (kept while the next output rows use it), then output rows are
// interpolated between two such rows. Weights are 7-bit, as in pixman.
//
// pmaddubsw multiplies unsigned bytes by signed ones, and a weight can be 128,
// so the weights go in as the unsigned operand and the pixels as signed bytes
// less 128; the sum then lacks 128 * 128, added back before rounding.
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/scale/scale_kernels.hpp"

namespace lumora::scale {

LinearTaps LinearTapsFor(int64_t out0, int64_t out1, double a, double b, int32_t size) {
  LinearTaps taps;
  for (int64_t x = out0; x < out1; ++x) {
    const double c = a * (static_cast<double>(x) + 0.5) + b - 0.5;
    auto k = static_cast<int64_t>(std::floor(c));
    auto w = static_cast<int32_t>(std::lround((c - static_cast<double>(k)) * 128));
    if (w == 128) ++k, w = 0;
    // Beyond the edges the edge sample repeats.
    if (k < 0) k = 0, w = 0;
    if (k >= size - 1) k = size - 2, w = 128;
    taps.first.push_back(static_cast<int32_t>(k));
    taps.weight.push_back(static_cast<uint8_t>(w));
  }
  return taps;
}

namespace {

// How a row is interpolated across: per output its two weights, repeated for
// the four channels, and for the eight-wide loop, per group of four outputs,
// where its two output pairs read four pixels each and how the pixels of each
// output are picked from those.
struct AcrossPlan {
  std::vector<uint8_t> pairs;  // 8 bytes per output
  std::vector<int32_t> base;   // 2 per group
  std::vector<uint8_t> pick;   // 32 bytes per group, pshufb masks
  std::vector<uint8_t> wide;   // per group: the eight-wide loop may read it
};

AcrossPlan PlanAcross(const LinearTaps& cols, int32_t rowWidth) {
  AcrossPlan plan;
  const size_t n = cols.Count();
  plan.pairs.resize(n * 8);
  for (size_t i = 0; i < n; ++i) {
    for (int c = 0; c < 4; ++c) {
      plan.pairs[8 * i + 2 * c] = static_cast<uint8_t>(128 - cols.weight[i]);
      plan.pairs[8 * i + 2 * c + 1] = cols.weight[i];
    }
  }
  const size_t groups = n / 4;
  plan.base.resize(groups * 2);
  plan.pick.resize(groups * 32);
  plan.wide.resize(groups);
  for (size_t g = 0; g < groups; ++g) {
    bool wide = true;
    for (size_t h = 0; h < 2; ++h) {
      const size_t i = 4 * g + 2 * h;
      const int32_t base = std::min(cols.first[i], cols.first[i + 1]);
      plan.base[2 * g + h] = base;
      wide = wide && base + 4 <= rowWidth;
      for (size_t j = 0; j < 2; ++j) {
        const int32_t o = cols.first[i + j] - base;
        wide = wide && o <= 1;
        for (int c = 0; c < 4; ++c) {
          plan.pick[32 * g + 16 * h + 8 * j + 2 * c] = static_cast<uint8_t>(4 * o + c);
          plan.pick[32 * g + 16 * h + 8 * j + 2 * c + 1] = static_cast<uint8_t>(4 * o + 4 + c);
        }
      }
    }
    plan.wide[g] = wide ? 1 : 0;
  }
  return plan;
}

void InterpolateAcross(const uint32_t* row, const LinearTaps& cols, size_t i0, size_t i1,
                       uint32_t* out) {
  for (size_t i = i0; i < i1; ++i) {
    const uint32_t p = row[cols.first[i]];
    const uint32_t q = row[cols.first[i] + 1];
    const uint32_t w = cols.weight[i];
    uint32_t v = 0;
    for (int s = 0; s < 32; s += 8)
      v |= ((((p >> s) & 0xFF) * (128 - w) + ((q >> s) & 0xFF) * w + 64) >> 7) << s;
    out[i] = v;
  }
}

// One source row across, eight outputs at a time.
__attribute__((target("avx2"))) void InterpolateRowWide(const uint32_t* row, const LinearTaps& cols,
                                                        const AcrossPlan& plan, uint32_t* out) {
  const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x80));
  const __m256i round = _mm256_set1_epi16(128 * 128 + 64);
  // Plain pointers: the stores to out must not make the compiler reload them.
  const int32_t* base = plan.base.data();
  const uint8_t* pick = plan.pick.data();
  const uint8_t* pairs = plan.pairs.data();
  const uint8_t* wide = plan.wide.data();
  // Outputs 4g .. 4g + 3 as 16-bit channels.
  auto group = [&](size_t g) __attribute__((target("avx2"))) {
    __m256i v = _mm256_inserti128_si256(
        _mm256_castsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + base[2 * g]))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + base[2 * g + 1])), 1);
    v = _mm256_shuffle_epi8(v, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pick + 32 * g)));
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs + 32 * g));
    return _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_maddubs_epi16(w, _mm256_xor_si256(v, bias)), round), 7);
  };
  const size_t n = cols.Count();
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const size_t g = i / 4;
    if (!wide[g] || !wide[g + 1]) {
      InterpolateAcross(row, cols, i, i + 8, out);
      continue;
    }
    // Packing interleaves the lanes' halves: outputs 0 1 4 5 2 3 6 7 back in order.
    const __m256i packed =
        _mm256_permute4x64_epi64(_mm256_packus_epi16(group(g), group(g + 1)), 0xD8);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), packed);
  }
  InterpolateAcross(row, cols, i, n, out);
}

// One source row across: out[i] = row[k] * (128 - w) + row[k + 1] * w, / 128.
__attribute__((target("ssse3"))) void InterpolateRow(const uint32_t* row, const LinearTaps& cols,
                                                     const AcrossPlan& plan, uint32_t* out) {
  // Bytes of two neighbour pixels p, q, channel by channel: p.b q.b p.g q.g ...
  const __m128i interleave = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i round = _mm_set1_epi16(128 * 128 + 64);
  const uint8_t* pairs = plan.pairs.data();
  const size_t n = cols.Count();
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i a = _mm_unpacklo_epi64(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + cols.first[i])),
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + cols.first[i + 1])));
    const __m128i b = _mm_unpacklo_epi64(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + cols.first[i + 2])),
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + cols.first[i + 3])));
    const __m128i wa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pairs + 8 * i));
    const __m128i wb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pairs + 8 * i + 16));
    __m128i ra = _mm_maddubs_epi16(wa, _mm_xor_si128(_mm_shuffle_epi8(a, interleave), bias));
    __m128i rb = _mm_maddubs_epi16(wb, _mm_xor_si128(_mm_shuffle_epi8(b, interleave), bias));
    ra = _mm_srli_epi16(_mm_add_epi16(ra, round), 7);
    rb = _mm_srli_epi16(_mm_add_epi16(rb, round), 7);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(ra, rb));
  }
  InterpolateAcross(row, cols, i, n, out);
}

void InterpolateDown(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, size_t i0,
                     size_t i1) {
  for (size_t i = i0; i < i1; ++i) {
    uint32_t v = 0;
    for (int s = 0; s < 32; s += 8)
      v |= ((((a[i] >> s) & 0xFF) * (128 - w) + ((b[i] >> s) & 0xFF) * w + 64) >> 7) << s;
    out[i] = v;
  }
}

// out = a * (128 - w) + b * w, / 128, over n pixels; eight at a time. With
// `stream` the output bypasses the caches (for images far larger than them,
// where it also saves reading each line before writing it).
__attribute__((target("avx2"))) void InterpolateRowsWide(const uint32_t* a, const uint32_t* b,
                                                         uint32_t w, uint32_t* out, size_t n,
                                                         bool stream) {
  const __m256i weights = _mm256_set1_epi16(static_cast<int16_t>((w << 8) | (128 - w)));
  const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x80));
  const __m256i round = _mm256_set1_epi16(128 * 128 + 64);
  size_t i = 0;
  if (stream) {
    i = std::min(n, ((32 - reinterpret_cast<uintptr_t>(out) % 32) % 32) / 4);
    InterpolateDown(a, b, w, out, 0, i);
  }
  for (; i + 8 <= n; i += 8) {
    const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
    const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    // Unpacking and packing both work within 128-bit lanes, so the order holds.
    __m256i lo =
        _mm256_maddubs_epi16(weights, _mm256_xor_si256(_mm256_unpacklo_epi8(pa, pb), bias));
    __m256i hi =
        _mm256_maddubs_epi16(weights, _mm256_xor_si256(_mm256_unpackhi_epi8(pa, pb), bias));
    lo = _mm256_srli_epi16(_mm256_add_epi16(lo, round), 7);
    hi = _mm256_srli_epi16(_mm256_add_epi16(hi, round), 7);
    const __m256i v = _mm256_packus_epi16(lo, hi);
    if (stream)
      _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i), v);
    else
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), v);
  }
  InterpolateDown(a, b, w, out, i, n);
}

// out = a * (128 - w) + b * w, / 128, over n pixels.
__attribute__((target("ssse3"))) void InterpolateRows(const uint32_t* a, const uint32_t* b,
                                                      uint32_t w, uint32_t* out, size_t n) {
  if (w == 0) {
    std::memcpy(out, a, n * 4);
    return;
  }
  const __m128i weights = _mm_set1_epi16(static_cast<int16_t>((w << 8) | (128 - w)));
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i round = _mm_set1_epi16(128 * 128 + 64);
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    __m128i lo = _mm_maddubs_epi16(weights, _mm_xor_si128(_mm_unpacklo_epi8(pa, pb), bias));
    __m128i hi = _mm_maddubs_epi16(weights, _mm_xor_si128(_mm_unpackhi_epi8(pa, pb), bias));
    lo = _mm_srli_epi16(_mm_add_epi16(lo, round), 7);
    hi = _mm_srli_epi16(_mm_add_epi16(hi, round), 7);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  InterpolateDown(a, b, w, out, i, n);
}

}  // namespace

void Bilinear(const View& in, const LinearTaps& cols, const LinearTaps& rows, RowSink& sink) {
  const size_t width = cols.Count();
  const AcrossPlan plan = PlanAcross(cols, in.width);
  const bool wide = ActiveIsa() == Isa::Avx2;
  // Source rows interpolated across; the two last used are kept.
  std::vector<uint32_t> across[2] = {std::vector<uint32_t>(width), std::vector<uint32_t>(width)};
  int32_t held[2] = {-1, -1};
  int last = 0;
  auto rowAcross = [&](int32_t y) -> const uint32_t* {
    if (held[last] != y) {
      last ^= 1;
      if (held[last] != y) {
        if (wide)
          InterpolateRowWide(in.Row(y), cols, plan, across[last].data());
        else
          InterpolateRow(in.Row(y), cols, plan, across[last].data());
        held[last] = y;
      }
    }
    return across[last].data();
  };
  const bool stream = sink.Direct() && sink.Stream();
  for (size_t i = 0; i < rows.Count(); ++i) {
    const uint32_t w = rows.weight[i];
    const uint32_t* a = rowAcross(rows.first[i]);
    const uint32_t* b = w == 0 ? a : rowAcross(rows.first[i] + 1);
    if (wide)
      InterpolateRowsWide(a, b, w, sink.Line(i), width, stream);
    else
      InterpolateRows(a, b, w, sink.Line(i), width);
    sink.Put(i);
  }
}

}  // namespace lumora::scale
