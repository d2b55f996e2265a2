// Timing, medians and process memory for the form benchmarks.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace bench {

// Seconds on the performance counter.
double Now();
double Median(std::vector<double> values);
// The process's private bytes (0 when the system does not say).
std::size_t PrivateBytes();
// Sends every message waiting for this thread's windows to its window procedure.
void Pump();

// One row: the toolkit run and the raw run alternate, `repetitions` times, the first of each pair
// switching every time so that neither always runs on a warmer cache. Each run returns the
// seconds it measured; the medians are kept.
struct Pair {
  double toolkit;
  double raw;
};
Pair Interleave(int repetitions, const std::function<double()>& toolkit,
                const std::function<double()>& raw);
// BENCH_ONLY=toolkit or BENCH_ONLY=raw runs one side of every row alone (the other side's
// figures are 0), so that a profiler or a count of system calls sees that side's work only.
bool Runs(bool toolkit);

}  // namespace bench
