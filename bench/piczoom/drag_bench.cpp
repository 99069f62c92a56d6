// One drag step on ZelPicZoom filling a 1280 x 720 form, with a 4000 x 3000
// (12 megapixels) or 8000 x 6000 (48) picture zoomed to 200 %: the pointer
// moves, both bars take new values, the picture moves, and the headless
// renderer draws the frame. Beside it, a plain copy of a 1280 x 720 frame,
// the floor of any redraw. Counters:
//   step_ms, copy_ms  mean per step (thread CPU time)
//   ratio             step / copy (goal 5); the step's goal is under 4 ms
//   fps               steps a second the step's CPU time allows (goal 60)
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>

#include "bench_pictures.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"
#include "platform/render/render_form.hpp"

namespace lumora {
namespace {

constexpr int32_t kFormW = 1280;
constexpr int32_t kFormH = 720;

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_DragStepAt200(benchmark::State& state) {
  auto form = Form::Create("DragBench", kFormW, kFormH);
  form->Show();
  auto z = form->Add<ZelPicZoom>("z", 0, 0, kFormW * 15.0f, kFormH * 15.0f);
  const auto megapixels = static_cast<int32_t>(state.range(0));
  z->Picture(Picture::FromRaster(megapixels == 48 ? bench::SyntheticPicture(8000, 6000)
                                                  : bench::SyntheticPicture(4000, 3000)));
  for (int i = 0; i < 4; ++i) z->ZoomIn();
  Raster frame;
  RenderFormInto(*form, frame);
  const Raster copySource = frame;
  Raster copyTarget(kFormW, kFormH);

  int32_t x = kFormW / 2;
  int32_t y = kFormH / 2;
  form->MouseDown(x, y);
  // The step must really scroll: check it once before timing it.
  const auto& bar = dynamic_cast<const ScrollBar&>(*z->FindConstituent("HScroll"));
  const int16_t before = bar.Value();
  form->MouseMove(x + 9, y + 9, kLeftButton);
  const int16_t moved = bar.Value();
  form->MouseMove(x, y, kLeftButton);
  if (moved != before - 9 || bar.Value() != before) state.SkipWithError("the drag did not scroll");
  double stepMs = 0, copyMs = 0;
  int64_t step = 0;
  for (auto _ : state) {
    // Back and forth, so the bars never reach an end.
    const int32_t d = (step++ & 1) ? 9 : -9;
    x += d;
    y += d;
    const double t0 = CpuMs();
    form->MouseMove(x, y, kLeftButton);
    RenderFormInto(*form, frame);
    benchmark::DoNotOptimize(frame.Data());
    benchmark::ClobberMemory();
    const double t1 = CpuMs();
    std::copy_n(copySource.Data(), size_t{kFormW} * kFormH, copyTarget.Data());
    benchmark::DoNotOptimize(copyTarget.Data());
    benchmark::ClobberMemory();
    const double t2 = CpuMs();
    stepMs += t1 - t0;
    copyMs += t2 - t1;
  }
  form->MouseUp(x, y);
  form->Unload();
  const auto n = static_cast<double>(state.iterations());
  state.counters["step_ms"] = stepMs / n;
  state.counters["copy_ms"] = copyMs / n;
  state.counters["ratio"] = stepMs / copyMs;
  state.counters["fps"] = 1000.0 / (stepMs / n);
  state.SetLabel("goal under 4 ms, ratio 5 and 60 fps");
}

BENCHMARK(BM_DragStepAt200)->Arg(12)->Arg(48)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
