// Microseconds per simulation step, whole and phase by phase, on a sheet that
// already hangs from its pins (the start-up state advanced 200 steps).
#include <benchmark/benchmark.h>

#include <memory>

#include "app/view_state.h"
#include "sim/cloth.h"

namespace {

std::unique_ptr<Cloth> makeHangingCloth() {
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  for (int n = 0; n < 200; ++n) cloth->step();
  return cloth;
}

template <void (Cloth::*Phase)()>
void runPhase(benchmark::State& state) {
  auto cloth = makeHangingCloth();
  for (auto _ : state) {
    (cloth.get()->*Phase)();
    benchmark::DoNotOptimize(cloth->positions);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(runPhase<&Cloth::step>)->Name("step")->Unit(benchmark::kMicrosecond);
BENCHMARK(runPhase<&Cloth::computeFaceNormals>)
    ->Name("computeFaceNormals")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runPhase<&Cloth::applyGravity>)->Name("applyGravity")->Unit(benchmark::kMicrosecond);
BENCHMARK(runPhase<&Cloth::integrate>)->Name("integrate")->Unit(benchmark::kMicrosecond);
BENCHMARK(runPhase<&Cloth::satisfyConstraints>)
    ->Name("satisfyConstraints")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
