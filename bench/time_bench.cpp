#include <benchmark/benchmark.h>

#include "intl/settings.h"
#include "time/time_format.h"
#include "time/time_validate.h"

namespace {

// The raw path's work: read an entered time leniently, render it as "hh:mm:ss".
void BM_LenientReadAndFormat(benchmark::State& state) {
  char out[256];
  for (auto _ : state) {
    zorva::TimeValue t = zorva::ReadTimeLenient("3:30:15 PM", "h:mm:ss AM/PM");
    benchmark::DoNotOptimize(zorva::FormatTime(out, sizeof out, "hh:mm:ss", t));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_LenientReadAndFormat);

// The formatted path: raw value to a mask with a designator pair.
void BM_Reformat(benchmark::State& state) {
  char out[256];
  for (auto _ : state) {
    benchmark::DoNotOptimize(zorva::ReformatTime(out, sizeof out, "15:30:15", "hh:mm:ss", "h:mm:ss AM/PM"));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Reformat);

void BM_Validate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(zorva::ValidateTime("3:30:15 PM", "h:mm:ss AM/PM", zorva::Intl()));
}
BENCHMARK(BM_Validate);

}  // namespace
