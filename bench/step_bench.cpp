// Microseconds per simulation step on a sheet that already hangs from its
// pins (the start-up state advanced 200 steps): the program's step beside the
// plain transcription it replaces, in interleaved repetitions, and the plain
// step's phases. Prints the ratio of the two steps' median times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/view_state.h"
#include "sim/cloth.h"
#include "sim/reference_step.h"

namespace {

std::unique_ptr<Cloth> makeHangingCloth() {
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  for (int n = 0; n < 200; ++n) reference::step(*cloth);
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
BENCHMARK(runStep<reference::step>)
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
BENCHMARK(runStep<reference::computeFaceNormals>)
    ->Name("plain phase/computeFaceNormals")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<reference::applyGravity>)
    ->Name("plain phase/applyGravity")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<reference::integrate>)
    ->Name("plain phase/integrate")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(runStep<reference::satisfyConstraints>)
    ->Name("plain phase/satisfyConstraints")
    ->Unit(benchmark::kMicrosecond);

// The console report, plus the median time of each benchmark.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.aggregate_name == "median")
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
  // The machine is shared and noisy: repetitions of the two steps take turns.
  std::vector<char*> arguments(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + 1, interleave.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto plain = reporter.medians.find("step/plain");
  const auto program = reporter.medians.find("step/program");
  if (plain != reporter.medians.end() && program != reporter.medians.end()) {
    std::printf("\nstep: program / plain = %.3f (median of %d interleaved repetitions each)\n",
                program->second / plain->second, REPETITIONS);
  }
  return 0;
}
