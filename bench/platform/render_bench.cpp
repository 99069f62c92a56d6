// Redrawing a 1280 x 720 form while a large zoomed picture is dragged: a
// picture box holding a 2000 x 1500 persistent image, scrolled inside a
// viewport with two scroll bars and a corner button, against a plain copy of
// a frame of the same size (the floor any redraw pays).
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/controls/command_button.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/form/form.hpp"
#include "platform/picture.hpp"
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

}  // namespace
}  // namespace lumora
