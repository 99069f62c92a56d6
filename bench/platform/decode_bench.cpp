// Decoding pictures: LoadPicture of a file's bytes (handed over, as
// LoadPictureFile does) beside OpenCV's imdecode of the same bytes, where
// built with it, in the same iterations. The pictures: a synthetic 4000 x 3000
// photograph as 24-bit BMP, PNG (libpng's default settings) and JPEG
// (quality 90), and the demo's picture. Counters:
//   ms, opencv_ms  mean CPU time per decode (page faults included)
//   vs_opencv      ms / opencv_ms; goal <= 1
#include <benchmark/benchmark.h>

#include <time.h>

#include <string>
#include <vector>

#if LUMORA_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#endif

#include "bench_codecs.hpp"
#include "bench_pictures.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {
namespace {

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

const Raster& Photo() {
  static const Raster photo = bench::SyntheticPicture(4000, 3000);
  return photo;
}

void Decode(benchmark::State& state, const std::vector<uint8_t>& bytes) {
#if LUMORA_BENCH_OPENCV
  cv::setNumThreads(1);
#endif
  double oursMs = 0, openCvMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<uint8_t> file = bytes;
    state.ResumeTiming();
    const double t0 = CpuMs();
    {
      const PicturePtr picture = LoadPicture(std::move(file));
      benchmark::DoNotOptimize(picture->Pixels().Data());
    }
    const double t1 = CpuMs();
    state.PauseTiming();
#if LUMORA_BENCH_OPENCV
    {
      const cv::Mat in(1, static_cast<int>(bytes.size()), CV_8UC1,
                       const_cast<uint8_t*>(bytes.data()));
      const cv::Mat out = cv::imdecode(in, cv::IMREAD_UNCHANGED);
      benchmark::DoNotOptimize(out.data);
    }
#endif
    openCvMs += CpuMs() - t1;
    oursMs += t1 - t0;
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["ms"] = oursMs / n;
#if LUMORA_BENCH_OPENCV
  state.counters["opencv_ms"] = openCvMs / n;
  state.counters["vs_opencv"] = oursMs / openCvMs;
#endif
  state.SetLabel(std::to_string(bytes.size() >> 10) + " KiB, goal vs_opencv <= 1");
}

void Bmp(benchmark::State& state) {
  static const std::vector<uint8_t> bytes = EncodeBmp24(Photo());
  Decode(state, bytes);
}

void Png(benchmark::State& state) {
  static const std::vector<uint8_t> bytes = bench::EncodePngDefault(Photo());
  Decode(state, bytes);
}

void Jpeg(benchmark::State& state) {
  static const std::vector<uint8_t> bytes = bench::EncodeJpeg(Photo());
  Decode(state, bytes);
}

void DemoJpeg(benchmark::State& state) {
  static const std::vector<uint8_t> bytes =
      ReadFileBytes(LUMORA_SOURCE_DIR "/examples/pictures/lake_at_dusk.jpg");
  Decode(state, bytes);
}

BENCHMARK(Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK(Png)->Unit(benchmark::kMillisecond);
BENCHMARK(Jpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(DemoJpeg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
