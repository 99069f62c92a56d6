// The pixel loops behind ScaleInto: exact halving, a separable resampler that
// averages exact areas (and interpolates linearly on an axis that grows), and
// a bilinear enlarger. Internal to the scaling code; x86-64 (SSE2, with
// SSSE3 and AVX2 where the processor has them).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster.hpp"
#include "platform/scale/scale.hpp"

namespace lumora::scale {

// Instruction sets the loops use, the best this processor runs unless tests
// limit them (per thread) to check every variant.
enum class Isa { Sse2, Ssse3, Avx2 };
Isa ActiveIsa();
void LimitIsa(Isa limit);

// Where a kernel's finished rows go: row i, `width` pixels, lands at (x0, y0 +
// i) of dst, replacing, composited over or combined with what is there.
class RowSink {
 public:
  RowSink(Raster& dst, int64_t x0, int64_t y0, size_t width, size_t rows, Compose compose);
  ~RowSink();
  RowSink(const RowSink&) = delete;
  RowSink& operator=(const RowSink&) = delete;

  size_t Width() const { return m_Width; }
  // Where to build row i: the destination itself when rows simply replace it.
  uint32_t* Line(size_t i);
  bool Direct() const { return m_Compose.kind == Compose::Kind::Replace; }
  // Whether writes should bypass the caches: the image is far larger than
  // they are (and each line need not be read before it is written).
  bool Stream() const { return m_Stream; }
  // Lands row i, built in Line(i).
  void Put(size_t i);

 private:
  uint32_t* Destination(size_t i);
  Raster& m_Dst;
  int64_t m_X0;
  int64_t m_Y0;
  size_t m_Width;
  Compose m_Compose;
  bool m_Stream;
  std::vector<uint32_t> m_Line;
};

// Pixels of a whole raster or of a region of one.
struct View {
  const uint32_t* data = nullptr;
  int32_t stride = 0;  // pixels per row
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* Row(int64_t y) const { return data + y * stride; }
};

inline View ViewOf(const Raster& r) {
  return View{r.Data(), r.Width(), r.Width(), r.Height()};
}

// Halves a view in x, y or both with exact averages; an odd last column or row
// is averaged with itself. `level` alternates the rounding of halves so that
// several halvings add up to no bias.
Raster Halve(const View& in, bool halveX, bool halveY, int level);
// The first halving of both axes into the sink's first `rows` rows: the same
// pixels as Resample with area taps of exactly two samples, in less time.
void HalveInto(const View& in, RowSink& sink, size_t rows);

// One axis of the area resampler. Output X (from out0) covers the sample
// interval between a * X + b and a * (X + 1) + b: averaged exactly when it is
// one sample or longer, interpolated linearly at its centre when shorter.
// Every output reads n consecutive samples from first[i], with n weights in
// weight[i * n ...] summing to kWeightOne. Samples beyond [0, size) repeat the
// edge.
struct Taps {
  static constexpr int32_t kWeightOne = 1 << 14;
  int32_t n = 0;
  std::vector<int32_t> first;
  std::vector<int16_t> weight;
  size_t Count() const { return first.size(); }
};
Taps AreaTaps(int64_t out0, int64_t out1, double a, double b, int32_t size);

// Produces the outputs of cols x rows from the view into the sink.
void Resample(const View& in, const Taps& cols, const Taps& rows, RowSink& sink);

// One axis of bilinear enlargement: output X (from out0) shows the sample
// point a * (X + 1/2) + b, interpolated between samples first[i] and
// first[i] + 1 with weight[i] / 128 of the second. Needs size >= 2.
struct LinearTaps {
  std::vector<int32_t> first;
  std::vector<uint8_t> weight;
  size_t Count() const { return first.size(); }
};
LinearTaps LinearTapsFor(int64_t out0, int64_t out1, double a, double b, int32_t size);

// Bilinear needs SSSE3 (ActiveIsa() at least Isa::Ssse3).
void Bilinear(const View& in, const LinearTaps& cols, const LinearTaps& rows, RowSink& sink);

}  // namespace lumora::scale
