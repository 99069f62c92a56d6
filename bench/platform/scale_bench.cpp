// Zoom rendering: a 4000 x 3000 picture scaled into a new persistent image at
// the ladder's extremes and middle rungs and at a fitted size, beside two
// floors and OpenCV's resize (where built with it) measured in the same
// iterations. Counters:
//   alloc_ms, read_ms  the floors (mean per iteration): allocating and filling
//                      a new image of the output size, reading the source once
//   ratio              rung / alloc floor when enlarging, rung / (both floors)
//                      when shrinking; goal 1.5 and 3
//   psnr               dB against the exact result (area average when
//                      shrinking, bilinear when enlarging); goal >= 53
//   opencv_ms, vs_opencv, psnr_opencv  cv::resize (INTER_AREA shrinking,
//                      INTER_LINEAR enlarging, one thread) into a new image,
//                      rung / OpenCV (goal <= 1), and OpenCV's own dB
// All times are the thread's CPU time (page faults included), so that other
// work on a shared machine does not skew them.
#include <benchmark/benchmark.h>
#include <emmintrin.h>

#include <time.h>

#include <map>
#include <utility>

#if LUMORA_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include "bench_pictures.hpp"
#include "platform/numeric.hpp"
#include "platform/raster.hpp"
#include "platform/scale/scale.hpp"

namespace lumora {
namespace {

constexpr int32_t kSourceWidth = 4000;
constexpr int32_t kSourceHeight = 3000;
constexpr Argb kBackground = 0xFFC8C8C8u;

const Raster& Source() {
  static const Raster source = bench::SyntheticPicture(kSourceWidth, kSourceHeight);
  return source;
}

// The floor of reading every source pixel once (the sum keeps it honest).
uint64_t ReadAll(const Raster& r) {
  const auto* p = reinterpret_cast<const __m128i*>(r.Data());
  const size_t n = static_cast<size_t>(r.Width()) * r.Height() / 4;
  __m128i sum = _mm_setzero_si128();
  for (size_t i = 0; i < n; ++i) sum = _mm_add_epi64(sum, _mm_sad_epu8(p[i], _mm_setzero_si128()));
  return static_cast<uint64_t>(_mm_cvtsi128_si64(sum)) +
         static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sum, sum)));
}

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The control's render: a new persistent image painted over whole.
void ScaleNew(const Raster& source, int32_t w, int32_t h) {
  Raster image = NewPersistentImage(w, h);
  ScaleInto(image, 0, 0, w, h, source, 0, 0, kSourceWidth, kSourceHeight);
  benchmark::DoNotOptimize(image.Data());
  benchmark::ClobberMemory();
}

#if LUMORA_BENCH_OPENCV
// OpenCV's resize of the whole source into `out`, which it allocates when empty.
void OpenCvResize(const Raster& source, cv::Mat& out, int32_t w, int32_t h) {
  static const bool oneThread = (cv::setNumThreads(1), true);
  (void)oneThread;
  const cv::Mat in(source.Height(), source.Width(), CV_8UC4, const_cast<uint32_t*>(source.Data()));
  cv::resize(in, out, cv::Size(w, h), 0, 0, w < source.Width() ? cv::INTER_AREA : cv::INTER_LINEAR);
}

void OpenCvNew(const Raster& source, int32_t w, int32_t h) {
  cv::Mat out;
  OpenCvResize(source, out, w, h);
  benchmark::DoNotOptimize(out.data);
  benchmark::ClobberMemory();
}
#endif

// PSNR of the render, and of OpenCV's, against the exact result; once per size.
std::pair<double, double> Psnrs(int32_t w, int32_t h) {
  static std::map<std::pair<int32_t, int32_t>, std::pair<double, double>> cache;
  const auto key = std::pair{w, h};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  const bool shrink = w < kSourceWidth;
  const Raster exact =
      shrink ? bench::AreaAverage(Source(), w, h) : bench::BilinearExact(Source(), w, h);
  Raster scaled = NewPersistentImage(w, h);
  ScaleInto(scaled, 0, 0, w, h, Source(), 0, 0, kSourceWidth, kSourceHeight);
  double opencv = 0;
#if LUMORA_BENCH_OPENCV
  cv::Mat theirs(h, w, CV_8UC4, scaled.Data());
  OpenCvResize(Source(), theirs, w, h);
  opencv = bench::Psnr(scaled, exact);
  ScaleInto(scaled, 0, 0, w, h, Source(), 0, 0, kSourceWidth, kSourceHeight);
#endif
  return cache[key] = {bench::Psnr(scaled, exact), opencv};
}

void Render(benchmark::State& state, int32_t w, int32_t h) {
  const Raster& source = Source();
  const bool shrink = w < kSourceWidth;
  const auto [psnr, psnrOpenCv] = Psnrs(w, h);
  double rungMs = 0, allocMs = 0, readMs = 0, openCvMs = 0;
  for (auto _ : state) {
    const auto t0 = CpuMs();
    ScaleNew(source, w, h);
    const auto t1 = CpuMs();
    state.PauseTiming();
    const auto f0 = CpuMs();
    {
      Raster image = NewPersistentImage(w, h, kBackground);
      benchmark::DoNotOptimize(image.Data());
      benchmark::ClobberMemory();
    }
    const auto f1 = CpuMs();
    benchmark::DoNotOptimize(ReadAll(source));
    const auto f2 = CpuMs();
#if LUMORA_BENCH_OPENCV
    OpenCvNew(source, w, h);
#endif
    const auto f3 = CpuMs();
    rungMs += t1 - t0;
    allocMs += f1 - f0;
    readMs += f2 - f1;
    openCvMs += f3 - f2;
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(state.iterations());
  const double floor = shrink ? allocMs + readMs : allocMs;
  state.counters["alloc_ms"] = allocMs / n;
  state.counters["read_ms"] = readMs / n;
  state.counters["ratio"] = rungMs / floor;
  state.counters["psnr"] = psnr;
#if LUMORA_BENCH_OPENCV
  state.counters["opencv_ms"] = openCvMs / n;
  state.counters["vs_opencv"] = rungMs / openCvMs;
  state.counters["psnr_opencv"] = psnrOpenCv;
#else
  (void)openCvMs;
  (void)psnrOpenCv;
#endif
  state.SetLabel(std::to_string(w) + "x" + std::to_string(h) +
                 (shrink ? " shrink, goal ratio 3" : " enlarge, goal ratio 1.5") +
                 ", vs_opencv <= 1 at psnr >= 53");
}

void Rung(benchmark::State& state) {
  const auto percent = static_cast<double>(state.range(0));
  Render(state, static_cast<int32_t>(RoundHalfEven(percent * kSourceWidth / 100)),
         static_cast<int32_t>(RoundHalfEven(percent * kSourceHeight / 100)));
}

// Fitted into a 1280 x 720 control by the FeedBest rule: the larger overhang
// (here the width) is fitted, so 1280 x 960.
void Fit1280x720(benchmark::State& state) {
  const double sw = 1280, sh = 720;
  const bool fitWidth = (kSourceHeight - sh) < (kSourceWidth - sw);
  const double r = fitWidth ? sw / kSourceWidth : sh / kSourceHeight;
  Render(state, static_cast<int32_t>(RoundHalfEven(r * kSourceWidth)),
         static_cast<int32_t>(RoundHalfEven(r * kSourceHeight)));
}

// The floors on their own, for the record.
void FloorAllocateAndFill(benchmark::State& state) {
  const auto percent = static_cast<double>(state.range(0));
  const auto w = static_cast<int32_t>(RoundHalfEven(percent * kSourceWidth / 100));
  const auto h = static_cast<int32_t>(RoundHalfEven(percent * kSourceHeight / 100));
  for (auto _ : state) {
    Raster image = NewPersistentImage(w, h, kBackground);
    benchmark::DoNotOptimize(image.Data());
    benchmark::ClobberMemory();
  }
}

void FloorReadSource(benchmark::State& state) {
  const Raster& source = Source();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAll(source));
}

BENCHMARK(Rung)->Arg(5)->Arg(50)->Arg(90)->Arg(125)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(Fit1280x720)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorAllocateAndFill)
    ->Arg(5)
    ->Arg(50)
    ->Arg(90)
    ->Arg(125)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FloorReadSource)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
