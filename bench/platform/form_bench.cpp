// Forms with many controls: placing n labels on a new form and unloading it,
// for 2,000 and 20,000 labels in the same iteration. Counters:
//   small_ms, large_ms  mean CPU time for 2,000 and for 20,000
//   ratio               large / small; linear is 10, goal <= 15
//   place_ratio, unload_ratio  the same for each half
#include <benchmark/benchmark.h>

#include <time.h>

#include <string>

#include "platform/controls/label.hpp"
#include "platform/form/form.hpp"

namespace lumora {
namespace {

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Times {
  double place = 0;
  double unload = 0;
};

void PlaceAndUnload(int count, Times& times) {
  const double t0 = CpuMs();
  const auto form = Form::Create("Many", 640, 480);
  for (int i = 0; i < count; ++i) form->Add<Label>("Label" + std::to_string(i), 0, 0, 1200, 300);
  const double t1 = CpuMs();
  form->Unload();
  times.place += t1 - t0;
  times.unload += CpuMs() - t1;
}

void BM_PlaceAndUnloadLabels(benchmark::State& state) {
  Times small, large;
  for (auto _ : state) {
    PlaceAndUnload(2000, small);
    PlaceAndUnload(20000, large);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["small_ms"] = (small.place + small.unload) / n;
  state.counters["large_ms"] = (large.place + large.unload) / n;
  state.counters["place_ratio"] = large.place / small.place;
  state.counters["unload_ratio"] = large.unload / small.unload;
  state.counters["ratio"] = (large.place + large.unload) / (small.place + small.unload);
  state.SetLabel("2,000 and 20,000 labels, goal ratio <= 15");
}
BENCHMARK(BM_PlaceAndUnloadLabels)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
