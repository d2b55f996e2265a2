// Timing on the performance counter, medians, private bytes, and the message pump.
#include "bench_measure.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace bench {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return 0;
  }
  if (counters.PrivateUsage != 0) return counters.PrivateUsage;
  // Some systems leave the counter at 0: add up the committed private regions instead.
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* at = nullptr;
  while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool Runs(bool toolkit) {
  static const std::string only = [] {
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("BENCH_ONLY", value, sizeof value);
    return std::string(length < sizeof value ? value : "");
  }();
  return only.empty() || only == (toolkit ? "toolkit" : "raw");
}

Pair Interleave(int repetitions, const std::function<double()>& toolkit0,
                const std::function<double()>& raw0) {
  const auto toolkit = [&] { return Runs(true) ? toolkit0() : 0.0; };
  const auto raw = [&] { return Runs(false) ? raw0() : 0.0; };
  std::vector<double> toolkitTimes;
  std::vector<double> rawTimes;
  for (int i = 0; i < repetitions; ++i) {
    if (i % 2 == 0) {
      rawTimes.push_back(raw());
      toolkitTimes.push_back(toolkit());
    } else {
      toolkitTimes.push_back(toolkit());
      rawTimes.push_back(raw());
    }
  }
  // BENCH_TRACE=1: each run's two times, in milliseconds, on the error stream.
  if (GetEnvironmentVariableA("BENCH_TRACE", nullptr, 0) != 0) {
    for (std::size_t i = 0; i < toolkitTimes.size(); ++i)
      std::fprintf(stderr, "%zu %.3f %.3f\n", i, toolkitTimes[i] * 1e3, rawTimes[i] * 1e3);
  }
  return {Median(toolkitTimes), Median(rawTimes)};
}

}  // namespace bench
