// Microseconds per simulation step on a sheet that already hangs from its
// pins (the start-up state advanced 200 steps): the program's step beside the
// plain transcription it replaces, in interleaved repetitions, and the plain
// step's phases; and the program's step while a hand holds a particle. Prints
// the ratios of the median times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "app/startup_sheet.h"
#include "bench/median_reporter.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"

namespace {

std::unique_ptr<Cloth> makeHangingCloth() {
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  for (int n = 0; n < 200; ++n) plain::step(*cloth);
  return cloth;
}

// Holding: a hand holds the bottom corner where it hangs, as a drag does.
template <void (*Step)(Cloth&), bool Holding = false>
void runStep(benchmark::State& state) {
  auto cloth = makeHangingCloth();
  if (Holding) cloth->grabParticle(PARTICLE_COUNT - 1, cloth->positions[PARTICLE_COUNT - 1]);
  for (auto _ : state) {
    Step(*cloth);
    benchmark::DoNotOptimize(cloth->positions);
    benchmark::ClobberMemory();
  }
}

void fastStep(Cloth& cloth) { cloth.step(); }

constexpr int REPETITIONS = 15;
BENCHMARK(runStep<plain::step>)
    ->Name("step/plain")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<fastStep>)
    ->Name("step/program")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<fastStep, true>)
    ->Name("step/program holding a particle")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);

// Where the plain step spends its time.
BENCHMARK(runStep<plain::computeFaceNormals>)
    ->Name("plain phase/computeFaceNormals")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<plain::applyGravity>)
    ->Name("plain phase/applyGravity")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<plain::integrate>)->Name("plain phase/integrate")->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<plain::satisfyConstraints>)
    ->Name("plain phase/satisfyConstraints")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  MedianReporter reporter;
  runInterleaved(argc, argv, reporter);
  const double plain = reporter.median("step/plain");
  const double program = reporter.median("step/program");
  if (plain > 0 && program > 0) {
    std::printf("\nstep: program / plain = %.3f (median of %d interleaved repetitions each)\n",
                program / plain, REPETITIONS);
  }
  const double holding = reporter.median("step/program holding a particle");
  if (program > 0 && holding > 0)
    std::printf("step holding a particle / step = %.3f\n", holding / program);
  return 0;
}
