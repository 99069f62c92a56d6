// The container's hot paths: RefreshScrollBar with many contained controls,
// and one pass of the held-button loop (move every control, refresh, yield).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/controls/label.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

struct ZelScrollContainerProbe {
  static void RefreshScrollBar(ZelScrollContainer& c) { c.RefreshScrollBar(); }
  static Image& sD(ZelScrollContainer& c) { return *c.sD; }
};

namespace {

// A shown form with a 3000-twip container holding `count` labels in a column
// that reaches far below the view.
struct Scene {
  explicit Scene(int64_t count) {
    form = Form::Create("BenchForm", 640, 480);
    form->Show();
    sc = form->Add<ZelScrollContainer>("sc", 0, 0, 2175, 3000);
    for (int64_t i = 0; i < count; ++i)
      form->Add<Label>("l" + std::to_string(i), 100, 100.0f + 350.0f * static_cast<float>(i), 1500,
                       300, sc.get());
    ZelScrollContainerProbe::RefreshScrollBar(*sc);
  }
  ~Scene() {
    form->Unload();
    ClearMessages();
  }
  std::shared_ptr<Form> form;
  std::shared_ptr<ZelScrollContainer> sc;
};

void BM_RefreshScrollBar(benchmark::State& state) {
  Scene scene(state.range(0));
  for (auto _ : state) ZelScrollContainerProbe::RefreshScrollBar(*scene.sc);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["ns_per_control"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_RefreshScrollBar)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One press of the down button held for kPasses passes; reports passes per
// second. The contents lie 350,000 twips deep, so no press reaches the end.
void BM_HeldButtonPass(benchmark::State& state) {
  constexpr int32_t kPasses = 50;
  Scene scene(state.range(0));
  Image& sD = ZelScrollContainerProbe::sD(*scene.sc);
  const int32_t x = sD.FormRect().left + 4;
  const int32_t y = sD.FormRect().top + 8;
  int64_t moved = 0;
  for (auto _ : state) {
    ScheduleAfterYields(kPasses,
                        Message::Mouse(MessageKind::MouseUp, scene.form, x, y, kLeftButton));
    scene.form->MouseDown(x, y, kLeftButton);
    moved += kPasses;
    if (moved > 100000) {
      state.PauseTiming();
      for (const ControlPtr& c : scene.sc->ContainedList())
        c->Top(c->Top() + static_cast<float>(moved));
      moved = 0;
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations() * kPasses);
  state.counters["us_per_pass"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kPasses),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_HeldButtonPass)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora
