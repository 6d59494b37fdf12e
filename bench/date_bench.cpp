// Round trips through the date reader and renderer.
#include <benchmark/benchmark.h>

#include "date/date_format.h"
#include "date/date_parse.h"
#include "intl/settings.h"

namespace {

void RoundTrip(benchmark::State& state, const char* mask, const char* value) {
  char out[256];
  const zorva::IntlSettings& s = zorva::Intl();
  for (auto _ : state) {
    zorva::DateParts parts;
    zorva::ParseDate(value, mask, parts, false, s);
    zorva::FormatDate(out, sizeof out, mask, parts, s);
    benchmark::DoNotOptimize(out);
  }
}

void BM_DateRoundTripNumeric(benchmark::State& state) {
  RoundTrip(state, "mm/dd/yyyy", "12/04/2001");
}
BENCHMARK(BM_DateRoundTripNumeric);

void BM_DateRoundTripNames(benchmark::State& state) {
  RoundTrip(state, "dddd, mmmm dd, yyyy", "Tuesday, December 04, 2001");
}
BENCHMARK(BM_DateRoundTripNames);

}  // namespace
