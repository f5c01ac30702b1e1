#pragma once

// Runs the registered benchmarks with their repetitions in random order (the
// machine is shared and noisy: the versions compared take turns) and keeps
// each benchmark's median time, by name without the run's settings
// ("step/plain" of "step/plain/min_time:0.200/repeats:15").

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      std::string name = run.run_name.str();
      for (const char* setting : {"/min_time", "/iterations", "/repeats"})
        name = name.substr(0, name.find(setting));
      medians[name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The median of `name`, or 0 if it did not run.
  double median(const std::string& name) const {
    const auto found = medians.find(name);
    return found == medians.end() ? 0.0 : found->second;
  }

  std::map<std::string, double> medians;
};

// benchmark::Initialize and RunSpecifiedBenchmarks, interleaved by default.
inline void runInterleaved(int argc, char** argv, MedianReporter& reporter) {
  std::vector<char*> arguments(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + 1, interleave.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  benchmark::RunSpecifiedBenchmarks(&reporter);
}
