// Microseconds per simulation step on a sheet that already hangs from its
// pins (the start-up state advanced 200 steps): the program's step beside the
// plain transcription it replaces, in interleaved repetitions, and the plain
// step's phases; the program's step while a hand holds a particle; with the
// lab's wind, ball and tearing, and with more relaxation passes. Prints the
// ratios of the median times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/startup_sheet.h"
#include "bench/median_reporter.h"
#include "sim/cloth.h"
#include "sim/cloth_measures.h"
#include "sim/plain_step.h"

namespace {

std::unique_ptr<Cloth> makeHangingCloth() {
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  for (int n = 0; n < 200; ++n) plain::step(*cloth);
  return cloth;
}

void asStarted(Cloth&) {}

// Holding: a hand holds the bottom corner where it hangs, as a drag does.
void holding(Cloth& cloth) {
  cloth.grabParticle(PARTICLE_COUNT - 1, cloth.positions[PARTICLE_COUNT - 1]);
}

// The lab's wind, a ball the sheet rests against, and tearing on (nothing
// tears: every spring is checked).
void withLab(Cloth& cloth) {
  cloth.wind = Vector3(0.0, 0.0, 0.005);
  cloth.ball = {true, Vector3(45.0, 40.0, 12.0), 12.0};
  cloth.tearRatio = 3.5;
  for (int n = 0; n < 50; ++n) cloth.step();  // resting on the ball
}

template <int PASSES>
void withPasses(Cloth& cloth) {
  cloth.relaxationPasses = PASSES;
}

template <void (*Step)(Cloth&), void (*SetUp)(Cloth&) = asStarted>
void runStep(benchmark::State& state) {
  auto cloth = makeHangingCloth();
  SetUp(*cloth);
  for (auto _ : state) {
    Step(*cloth);
    benchmark::DoNotOptimize(cloth->positions);
    benchmark::ClobberMemory();
  }
}

void fastStep(Cloth& cloth) { cloth.step(); }

// The page measures every step it takes, for its readouts and series.
void stepAndMeasure(Cloth& cloth) {
  cloth.step();
  benchmark::DoNotOptimize(measureCloth(cloth));
}

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
BENCHMARK(runStep<fastStep, holding>)
    ->Name("step/program holding a particle")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<stepAndMeasure>)
    ->Name("numbers/program's step and its numbers")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<plain::step, withLab>)
    ->Name("lab/plain with wind, ball and tearing")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<fastStep, withLab>)
    ->Name("lab/program with wind, ball and tearing")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<fastStep, withPasses<5>>)
    ->Name("lab/program, 5 passes")
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);
BENCHMARK(runStep<fastStep, withPasses<20>>)
    ->Name("lab/program, 20 passes")
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
  const double lab = reporter.median("lab/program with wind, ball and tearing");
  const double labPlain = reporter.median("lab/plain with wind, ball and tearing");
  if (program > 0 && lab > 0 && labPlain > 0)
    std::printf("step with wind, ball and tearing / step = %.3f (plain: %.3f)\n", lab / program,
                labPlain / program);
  const double measured = reporter.median("numbers/program's step and its numbers");
  if (program > 0 && measured > 0)
    std::printf("step and its numbers / step = %.3f\n", measured / program);
  for (const int passes : {5, 20}) {
    const double time = reporter.median("lab/program, " + std::to_string(passes) + " passes");
    if (program > 0 && time > 0)
      std::printf("step with %d passes / step = %.2f (%.2f per pass)\n", passes, time / program,
                  time / program / passes);
  }
  return 0;
}
