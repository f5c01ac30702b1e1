// Microseconds per simulation step on a sheet that already hangs from its
// pins (the start-up state advanced 200 steps): the program's step beside the
// plain transcription it replaces, in interleaved repetitions, and the plain
// step's phases. Prints the ratio of the two steps' median times.
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

template <void (*Step)(Cloth&)>
void runStep(benchmark::State& state) {
  auto cloth = makeHangingCloth();
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
  return 0;
}
