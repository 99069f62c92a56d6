#include "platform/scale/scale_kernels.hpp"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumora::scale {

namespace {

// out[i] = average of a[2i], a[2i + 1], b[2i], b[2i + 1] for n outputs, with
// `bias` (1 or 2) added before dividing by 4.
void AverageQuads(const uint32_t* a, const uint32_t* b, uint32_t* out, int32_t n, int bias) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i round = _mm_set1_epi16(static_cast<int16_t>(bias));
  int32_t i = 0;
  for (; i + 2 <= n; i += 2) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 2 * i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 2 * i));
    const __m128i lo = _mm_add_epi16(_mm_unpacklo_epi8(pa, zero), _mm_unpacklo_epi8(pb, zero));
    const __m128i hi = _mm_add_epi16(_mm_unpackhi_epi8(pa, zero), _mm_unpackhi_epi8(pb, zero));
    __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(lo, hi), _mm_unpackhi_epi64(lo, hi));
    sum = _mm_srli_epi16(_mm_add_epi16(sum, round), 2);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(sum, sum));
  }
  for (; i < n; ++i) {
    uint32_t p = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t s = ((a[2 * i] >> shift) & 0xFF) + ((a[2 * i + 1] >> shift) & 0xFF) +
                         ((b[2 * i] >> shift) & 0xFF) + ((b[2 * i + 1] >> shift) & 0xFF);
      p |= ((s + bias) >> 2) << shift;
    }
    out[i] = p;
  }
}

// The same, four outputs at a time.
__attribute__((target("avx2"))) void AverageQuadsWide(const uint32_t* a, const uint32_t* b,
                                                      uint32_t* out, int32_t n, int bias) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i round = _mm256_set1_epi16(static_cast<int16_t>(bias));
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + 2 * i));
    const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + 2 * i));
    // Within each lane: lo holds inputs 0 1, hi inputs 2 3, as 16-bit channels.
    const __m256i lo =
        _mm256_add_epi16(_mm256_unpacklo_epi8(pa, zero), _mm256_unpacklo_epi8(pb, zero));
    const __m256i hi =
        _mm256_add_epi16(_mm256_unpackhi_epi8(pa, zero), _mm256_unpackhi_epi8(pb, zero));
    __m256i sum = _mm256_add_epi16(_mm256_unpacklo_epi64(lo, hi), _mm256_unpackhi_epi64(lo, hi));
    sum = _mm256_srli_epi16(_mm256_add_epi16(sum, round), 2);
    // Each lane's two outputs, then both lanes' side by side.
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm256_castsi256_si128(packed));
  }
  AverageQuads(a + 2 * i, b + 2 * i, out + i, n - i, bias);
}

// out[i] = average of a[i] and b[i], halves rounded up or down.
void AveragePairs(const uint32_t* a, const uint32_t* b, uint32_t* out, int32_t n, bool roundUp) {
  const __m128i ones = _mm_set1_epi8(static_cast<char>(0xFF));
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    // avg rounds up; rounding down is ~avg(~a, ~b).
    const __m128i avg =
        roundUp
            ? _mm_avg_epu8(pa, pb)
            : _mm_xor_si128(ones, _mm_avg_epu8(_mm_xor_si128(pa, ones), _mm_xor_si128(pb, ones)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), avg);
  }
  const uint32_t up = roundUp ? 1 : 0;
  for (; i < n; ++i) {
    uint32_t p = 0;
    for (int shift = 0; shift < 32; shift += 8)
      p |= ((((a[i] >> shift) & 0xFF) + ((b[i] >> shift) & 0xFF) + up) >> 1) << shift;
    out[i] = p;
  }
}

}  // namespace

namespace {

// Output row y of a halving, into o (w pixels). `pairs` is scratch for rows of
// odd width, whose last pixel is doubled.
void HalveRow(const View& in, bool halveX, bool halveY, int level, int32_t y, int32_t w,
              uint32_t* o, std::vector<uint32_t>& pairs) {
  const bool roundUp = level % 2 == 0;
  const uint32_t* a = in.Row(halveY ? 2 * y : y);
  const uint32_t* b = halveY ? in.Row(std::min(2 * y + 1, in.height - 1)) : a;
  if (!halveX) {
    AveragePairs(a, b, o, w, roundUp);
    return;
  }
  if (in.width % 2 != 0) {
    const size_t padded = 2 * static_cast<size_t>(w);
    pairs.resize(2 * padded);
    std::copy(a, a + in.width, pairs.begin());
    pairs[padded - 1] = a[in.width - 1];
    std::copy(b, b + in.width, pairs.begin() + static_cast<ptrdiff_t>(padded));
    pairs[2 * padded - 1] = b[in.width - 1];
    a = pairs.data();
    b = pairs.data() + padded;
  }
  if (ActiveIsa() == Isa::Avx2)
    AverageQuadsWide(a, b, o, w, roundUp ? 2 : 1);
  else
    AverageQuads(a, b, o, w, roundUp ? 2 : 1);
}

}  // namespace

Raster Halve(const View& in, bool halveX, bool halveY, int level) {
  const int32_t w = halveX ? (in.width + 1) / 2 : in.width;
  const int32_t h = halveY ? (in.height + 1) / 2 : in.height;
  Raster out = Raster::Uninitialized(w, h);
  std::vector<uint32_t> pairs;
  for (int32_t y = 0; y < h; ++y) HalveRow(in, halveX, halveY, level, y, w, out.Row(y), pairs);
  return out;
}

void HalveInto(const View& in, RowSink& sink, size_t rows) {
  std::vector<uint32_t> pairs;
  const auto w = static_cast<int32_t>(sink.Width());
  for (size_t i = 0; i < rows; ++i) {
    HalveRow(in, true, true, 0, static_cast<int32_t>(i), w, sink.Line(i), pairs);
    sink.Put(i);
  }
}

Taps AreaTaps(int64_t out0, int64_t out1, double a, double b, int32_t size) {
  // Each output's samples and weights first, then padded to a common count.
  std::vector<int32_t> firsts;
  std::vector<std::vector<int32_t>> weights;
  std::vector<double> cover;
  int32_t n = 1;
  for (int64_t x = out0; x < out1; ++x) {
    double lo = a * static_cast<double>(x) + b;
    double hi = a * static_cast<double>(x + 1) + b;
    if (lo > hi) std::swap(lo, hi);
    int64_t k0 = 0;
    cover.clear();
    if (hi - lo >= 1) {  // exact area average
      k0 = static_cast<int64_t>(std::floor(lo));
      const auto k1 = static_cast<int64_t>(std::ceil(hi));
      for (int64_t k = k0; k < k1; ++k)
        cover.push_back((std::min<double>(hi, k + 1) - std::max<double>(lo, k)) / (hi - lo));
    } else {  // linear interpolation at the centre
      const double c = (lo + hi) / 2 - 0.5;
      k0 = static_cast<int64_t>(std::floor(c));
      cover = {1 - (c - k0), c - k0};
    }
    // Samples beyond the edges count for the edge sample.
    const int64_t first = std::clamp<int64_t>(k0, 0, size - 1);
    const int64_t last =
        std::clamp<int64_t>(k0 + static_cast<int64_t>(cover.size()) - 1, 0, size - 1);
    std::vector<double> folded(static_cast<size_t>(last - first + 1), 0.0);
    for (size_t j = 0; j < cover.size(); ++j)
      folded[std::clamp<int64_t>(k0 + static_cast<int64_t>(j), 0, size - 1) - first] += cover[j];
    // Integer weights with an exact sum, so that a flat area stays flat.
    std::vector<int32_t> q(folded.size());
    int32_t sum = 0;
    for (size_t j = 0; j < q.size(); ++j) {
      q[j] = static_cast<int32_t>(std::lround(folded[j] * Taps::kWeightOne));
      sum += q[j];
    }
    *std::max_element(q.begin(), q.end()) += Taps::kWeightOne - sum;
    size_t begin = 0;
    size_t end = q.size();
    while (end - begin > 1 && q[begin] == 0) ++begin;
    while (end - begin > 1 && q[end - 1] == 0) --end;
    firsts.push_back(static_cast<int32_t>(first + static_cast<int64_t>(begin)));
    weights.emplace_back(q.begin() + static_cast<ptrdiff_t>(begin),
                         q.begin() + static_cast<ptrdiff_t>(end));
    n = std::max(n, static_cast<int32_t>(end - begin));
  }
  Taps taps;
  taps.n = n;
  taps.first.reserve(firsts.size());
  taps.weight.assign(firsts.size() * static_cast<size_t>(n), 0);
  for (size_t i = 0; i < firsts.size(); ++i) {
    // Near the far edge the window starts earlier, with leading zero weights.
    const int32_t start = std::min(firsts[i], size - n);
    taps.first.push_back(start);
    int16_t* w = &taps.weight[i * static_cast<size_t>(n)] + (firsts[i] - start);
    for (int32_t q : weights[i]) *w++ = static_cast<int16_t>(q);
  }
  return taps;
}

namespace {

// One source row of a vertical blend, from the first column read, with its
// weight doubled (so that the high half of (p << 8) * 2w is p * w / 128).
struct RowTap {
  const uint32_t* row;
  uint16_t weight2;
};

void BlendRowsScalar(const RowTap* taps, size_t count, int32_t x0, int32_t width, int16_t* out) {
  for (int32_t x = x0; x < width; ++x) {
    for (int c = 0; c < 4; ++c) {
      int32_t sum = 0;
      for (size_t j = 0; j < count; ++j) {
        const uint32_t p = (taps[j].row[x] >> (8 * c)) & 0xFF;
        sum += static_cast<int32_t>(((p << 8) * uint32_t{taps[j].weight2}) >> 16);
      }
      out[4 * x + c] = static_cast<int16_t>(sum);
    }
  }
}

// out (4 channels x 16 bits per pixel, 7 fractional bits) = the weighted sum
// of the taps' rows over `width` pixels.
void BlendRows(const RowTap* taps, size_t count, int32_t width, int16_t* out) {
  const __m128i zero = _mm_setzero_si128();
  int32_t x = 0;
  for (; x + 8 <= width; x += 8) {
    __m128i a = zero, b = zero, c = zero, d = zero;
    for (size_t j = 0; j < count; ++j) {
      const auto* p = reinterpret_cast<const __m128i*>(taps[j].row + x);
      const __m128i p0 = _mm_loadu_si128(p);
      const __m128i p1 = _mm_loadu_si128(p + 1);
      const __m128i w = _mm_set1_epi16(static_cast<int16_t>(taps[j].weight2));
      a = _mm_add_epi16(a, _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, p0), w));
      b = _mm_add_epi16(b, _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, p0), w));
      c = _mm_add_epi16(c, _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, p1), w));
      d = _mm_add_epi16(d, _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, p1), w));
    }
    auto* o = reinterpret_cast<__m128i*>(out + 4 * x);
    _mm_storeu_si128(o, a);
    _mm_storeu_si128(o + 1, b);
    _mm_storeu_si128(o + 2, c);
    _mm_storeu_si128(o + 3, d);
  }
  BlendRowsScalar(taps, count, x, width, out);
}

// The same, sixteen pixels at a time.
__attribute__((target("avx2"))) void BlendRowsWide(const RowTap* taps, size_t count, int32_t width,
                                                   int16_t* out) {
  const __m256i zero = _mm256_setzero_si256();
  int32_t x = 0;
  for (; x + 16 <= width; x += 16) {
    __m256i a = zero, b = zero, c = zero, d = zero;
    for (size_t j = 0; j < count; ++j) {
      const auto* p = reinterpret_cast<const __m256i*>(taps[j].row + x);
      const __m256i p0 = _mm256_loadu_si256(p);
      const __m256i p1 = _mm256_loadu_si256(p + 1);
      const __m256i w = _mm256_set1_epi16(static_cast<int16_t>(taps[j].weight2));
      a = _mm256_add_epi16(a, _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, p0), w));
      b = _mm256_add_epi16(b, _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, p0), w));
      c = _mm256_add_epi16(c, _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, p1), w));
      d = _mm256_add_epi16(d, _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, p1), w));
    }
    // Unpacking works within 128-bit lanes: a and b hold pixels 0 1 4 5 and
    // 2 3 6 7 of the first eight; put them back in order.
    auto* o = reinterpret_cast<__m256i*>(out + 4 * x);
    _mm256_storeu_si256(o, _mm256_permute2x128_si256(a, b, 0x20));
    _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(a, b, 0x31));
    _mm256_storeu_si256(o + 2, _mm256_permute2x128_si256(c, d, 0x20));
    _mm256_storeu_si256(o + 3, _mm256_permute2x128_si256(c, d, 0x31));
  }
  BlendRowsScalar(taps, count, x, width, out);
}

// Pixels from a blended row (from column c0) through the column taps, from
// output i0 on.
void FilterColumns(const int16_t* row, const Taps& cols, int32_t c0, size_t i0, uint32_t* out) {
  const int32_t n = cols.n;
  const __m128i round = _mm_set1_epi32(1 << 20);
  for (size_t i = i0; i < cols.Count(); ++i) {
    const int16_t* v = row + 4 * static_cast<ptrdiff_t>(cols.first[i] - c0);
    const int16_t* w = &cols.weight[i * static_cast<size_t>(n)];
    __m128i acc = round;
    int32_t j = 0;
    for (; j + 2 <= n; j += 2) {
      // Two neighbours' channels interleaved, times their two weights.
      __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + 4 * j));
      px = _mm_unpacklo_epi16(px, _mm_srli_si128(px, 8));
      int32_t pair;
      std::memcpy(&pair, w + j, sizeof pair);
      acc = _mm_add_epi32(acc, _mm_madd_epi16(px, _mm_set1_epi32(pair)));
    }
    if (j < n) {
      const __m128i px = _mm_unpacklo_epi16(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + 4 * j)), _mm_setzero_si128());
      acc = _mm_add_epi32(acc, _mm_madd_epi16(px, _mm_set1_epi32(static_cast<uint16_t>(w[j]))));
    }
    acc = _mm_srai_epi32(acc, 21);
    acc = _mm_packs_epi32(acc, acc);
    out[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(acc, acc)));
  }
}

// The same, two pixels at a time (one per 128-bit lane).
__attribute__((target("avx2"))) void FilterColumnsWide(const int16_t* row, const Taps& cols,
                                                       int32_t c0, uint32_t* out) {
  const int32_t n = cols.n;
  const size_t count = cols.Count();
  const __m256i round = _mm256_set1_epi32(1 << 20);
  const int16_t* weights = cols.weight.data();
  const int32_t* firsts = cols.first.data();
  auto load = [](const int16_t* p) __attribute__((target("avx2"))) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  };
  size_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const int16_t* v0 = row + 4 * static_cast<ptrdiff_t>(firsts[i] - c0);
    const int16_t* v1 = row + 4 * static_cast<ptrdiff_t>(firsts[i + 1] - c0);
    const int16_t* w0 = weights + i * static_cast<size_t>(n);
    const int16_t* w1 = w0 + n;
    __m256i acc = round;
    int32_t j = 0;
    for (; j + 2 <= n; j += 2) {
      __m256i px =
          _mm256_inserti128_si256(_mm256_castsi128_si256(load(v0 + 4 * j)), load(v1 + 4 * j), 1);
      px = _mm256_unpacklo_epi16(px, _mm256_srli_si256(px, 8));
      int32_t pair0, pair1;
      std::memcpy(&pair0, w0 + j, sizeof pair0);
      std::memcpy(&pair1, w1 + j, sizeof pair1);
      const __m256i w = _mm256_inserti128_si256(_mm256_set1_epi32(pair0), _mm_set1_epi32(pair1), 1);
      acc = _mm256_add_epi32(acc, _mm256_madd_epi16(px, w));
    }
    if (j < n) {
      const __m256i px = _mm256_inserti128_si256(
          _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v0 + 4 * j))),
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v1 + 4 * j)), 1);
      const __m256i w = _mm256_inserti128_si256(_mm256_set1_epi32(static_cast<uint16_t>(w0[j])),
                                                _mm_set1_epi32(static_cast<uint16_t>(w1[j])), 1);
      acc = _mm256_add_epi32(
          acc, _mm256_madd_epi16(_mm256_unpacklo_epi16(px, _mm256_setzero_si256()), w));
    }
    acc = _mm256_srai_epi32(acc, 21);
    acc = _mm256_packs_epi32(acc, acc);
    acc = _mm256_packus_epi16(acc, acc);
    out[i] = static_cast<uint32_t>(_mm256_cvtsi256_si32(acc));
    out[i + 1] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm256_extracti128_si256(acc, 1)));
  }
  FilterColumns(row, cols, c0, i, out);
}

}  // namespace

void Resample(const View& in, const Taps& cols, const Taps& rows, RowSink& sink) {
  const int32_t c0 = *std::min_element(cols.first.begin(), cols.first.end());
  const int32_t c1 = *std::max_element(cols.first.begin(), cols.first.end()) + cols.n;
  const bool wide = ActiveIsa() == Isa::Avx2;
  std::vector<int16_t> blended(static_cast<size_t>(c1 - c0) * 4);
  std::vector<RowTap> taps;
  for (size_t i = 0; i < rows.Count(); ++i) {
    taps.clear();
    const int16_t* w = &rows.weight[i * static_cast<size_t>(rows.n)];
    for (int32_t j = 0; j < rows.n; ++j) {
      if (w[j] != 0)
        taps.push_back({in.Row(rows.first[i] + j) + c0, static_cast<uint16_t>(w[j] * 2)});
    }
    if (wide)
      BlendRowsWide(taps.data(), taps.size(), c1 - c0, blended.data());
    else
      BlendRows(taps.data(), taps.size(), c1 - c0, blended.data());
    if (wide)
      FilterColumnsWide(blended.data(), cols, c0, sink.Line(i));
    else
      FilterColumns(blended.data(), cols, c0, 0, sink.Line(i));
    sink.Put(i);
  }
}

}  // namespace lumora::scale
