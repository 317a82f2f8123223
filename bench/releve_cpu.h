// Keeps each run's CPU time per iteration (ms) for the ratios: the machine is
// shared, and wall time counts the other processes too.
#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class ReleveCpu : public benchmark::ConsoleReporter {
 public:
  explicit ReleveCpu(OutputOptions options = OO_Defaults) : ConsoleReporter(options) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) temps[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> temps;
};
