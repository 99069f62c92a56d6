// Redrawing a 1280 x 720 form while a large zoomed picture is dragged: a
// picture box holding a 2000 x 1500 persistent image, scrolled inside a
// viewport with two scroll bars and a corner button, against a plain copy of
// a frame of the same size (the floor any redraw pays). And writing such a
// frame as PNG (as `lumora render` and `demo` do) beside the encoding frames
// had before (libpng's defaults), in the same iterations:
//   speedup     before / now CPU time (goal >= 3)
//   size_ratio  now / before bytes (goal <= 1.3)
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <string>

#include "bench_codecs.hpp"
#include "bench_pictures.hpp"

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/picture/png_writer.hpp"
#include "platform/render/render_form.hpp"

namespace lumora {
namespace {

constexpr int32_t kFormW = 1280, kFormH = 720;
constexpr int32_t kImageW = 2000, kImageH = 1500;
constexpr float kTw = 15;

PicturePtr LargePicture() {
  Raster r(kImageW, kImageH);
  for (int32_t y = 0; y < kImageH; ++y) {
    uint32_t* row = r.Row(y);
    for (int32_t x = 0; x < kImageW; ++x) {
      row[x] = 0xFF000000u | (uint32_t(x * 255 / kImageW) << 16) |
               (uint32_t(y * 255 / kImageH) << 8) | uint32_t((x ^ y) & 0xFF);
    }
  }
  return Picture::FromRaster(std::move(r));
}

void BM_RenderDraggedPicture(benchmark::State& state) {
  auto form = Form::Create("RenderBench", kFormW, kFormH);
  const float viewW = kFormW - 17, viewH = kFormH - 17;
  auto view = form->Add<PictureBox>("view", 0, 0, viewW * kTw, viewH * kTw);
  view->BorderStyle(0);
  auto pic = form->Add<PictureBox>("picScroll", 0, 0, kImageW, kImageH, view.get());
  pic->BorderStyle(0);
  pic->Picture(LargePicture());
  pic->AutoRedraw(true);
  pic->Cls();  // the persistent image
  auto hbar = form->Add<HScrollBar>("HScroll", 0, viewH * kTw, viewW * kTw, 17 * kTw);
  auto vbar = form->Add<VScrollBar>("VScroll", viewW * kTw, 0, 17 * kTw, viewH * kTw);
  form->Add<CommandButton>("btnUserCommand", viewW * kTw, viewH * kTw, 17 * kTw, 17 * kTw);
  hbar->Max(static_cast<int16_t>(kImageW - viewW));
  vbar->Max(static_cast<int16_t>(kImageH - viewH));
  Raster frame;
  RenderFormInto(*form, frame);
  int32_t step = 0;
  for (auto _ : state) {
    // One drag step: the picture and both bars move.
    const int32_t x = (step * 7) % (kImageW - kFormW);
    const int32_t y = (step * 5) % (kImageH - kFormH);
    ++step;
    pic->Move(static_cast<float>(-x), static_cast<float>(-y));
    hbar->Value(static_cast<int16_t>(x));
    vbar->Value(static_cast<int16_t>(y));
    RenderFormInto(*form, frame);
    benchmark::DoNotOptimize(frame.Data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kFormW * kFormH * 4);
  form->Unload();
}
BENCHMARK(BM_RenderDraggedPicture)->Unit(benchmark::kMicrosecond);

void BM_CopyFrame(benchmark::State& state) {
  const Raster source(kFormW, kFormH, 0xFF336699u);
  Raster frame(kFormW, kFormH);
  for (auto _ : state) {
    std::memcpy(frame.Data(), source.Data(), size_t(kFormW) * kFormH * 4);
    benchmark::DoNotOptimize(frame.Data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kFormW * kFormH * 4);
}
BENCHMARK(BM_CopyFrame)->Unit(benchmark::kMicrosecond);

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// A frame of the form above showing a photograph (0), or of a form of plain
// controls: buttons, labels, check boxes, text boxes (1).
Raster Frame(bool photo) {
  auto form = Form::Create("PngBench", kFormW, kFormH);
  if (photo) {
    auto pic = form->Add<PictureBox>("pic", 0, 0, (kFormW - 17) * kTw, (kFormH - 17) * kTw);
    pic->BorderStyle(0);
    pic->Picture(Picture::FromRaster(bench::SyntheticPicture(kImageW, kImageH)));
  } else {
    for (int i = 0; i < 12; ++i) {
      const auto n = std::to_string(i);
      const float x = static_cast<float>(300 + i * 1200);
      form->Add<CommandButton>("Button" + n, x, 600, 1100, 450);
      form->Add<Label>("Label" + n, x, 1500, 1100, 300)->Caption("Label " + n);
      form->Add<CheckBox>("Check" + n, x, 2200, 1100, 300);
      form->Add<TextBox>("Text" + n, x, 3000, 1100, 400);
    }
  }
  form->Add<HScrollBar>("HScroll", 0, (kFormH - 17) * kTw, (kFormW - 17) * kTw, 17 * kTw);
  form->Add<VScrollBar>("VScroll", (kFormW - 17) * kTw, 0, 17 * kTw, (kFormH - 17) * kTw);
  Raster frame = RenderForm(*form);
  form->Unload();
  return frame;
}

void BM_EncodeFramePng(benchmark::State& state) {
  const Raster frame = Frame(state.range(0) == 0);
  double nowMs = 0, beforeMs = 0;
  size_t nowBytes = 0, beforeBytes = 0;
  for (auto _ : state) {
    const double t0 = CpuMs();
    nowBytes = EncodePng(frame).size();
    const double t1 = CpuMs();
    beforeBytes = bench::EncodePngDefault(frame).size();
    beforeMs += CpuMs() - t1;
    nowMs += t1 - t0;
  }
  state.counters["speedup"] = beforeMs / nowMs;
  state.counters["size_ratio"] = static_cast<double>(nowBytes) / static_cast<double>(beforeBytes);
  state.counters["KiB"] = static_cast<double>(nowBytes) / 1024.0;
  state.SetLabel(std::string(state.range(0) == 0 ? "photograph" : "controls") +
                 ", goal speedup >= 3 at size_ratio <= 1.3");
}
BENCHMARK(BM_EncodeFramePng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
