// Parse and render costs of the number engine on currency and decimal values.
#include <benchmark/benchmark.h>

#include "intl/settings.h"
#include "number/number.h"

namespace {

using namespace zorva;

const char* const kCurrencyMask = "$#,##0.00;($#,##0.00)";
const char* const kDecimalMask = "#,##0.00;-#,##0.00";

void BM_ParseCurrency(benchmark::State& state) {
  const IntlSettings& s = Intl();
  const NumberRequest request{kCurrencyMask, "$", '.', ','};
  NumberParts parts;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber("($1,234,567.89)", request, parts, s));
    benchmark::DoNotOptimize(parts);
  }
}
BENCHMARK(BM_ParseCurrency);

void BM_ParseDecimal(benchmark::State& state) {
  const IntlSettings& s = Intl();
  const NumberRequest request{kDecimalMask, "$", '.', ','};
  NumberParts parts;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber("-98,765.432", request, parts, s));
    benchmark::DoNotOptimize(parts);
  }
}
BENCHMARK(BM_ParseDecimal);

void BM_FormatCurrency(benchmark::State& state) {
  NumberParts parts;
  parts.integerPart = 1234567;
  parts.fraction = 0.89;
  parts.negative = 1;
  char out[256];
  for (auto _ : state) {
    FormatNumber(out, sizeof out, NumberRequest{kCurrencyMask, "$", '.', ','}, parts);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_FormatCurrency);

void BM_FormatDecimal(benchmark::State& state) {
  NumberParts parts;
  parts.integerPart = 98765;
  parts.fraction = 0.432;
  char out[256];
  for (auto _ : state) {
    FormatNumber(out, sizeof out, NumberRequest{"0.#", "", '.', 0}, parts);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_FormatDecimal);

void BM_ConvertRawToCurrency(benchmark::State& state) {
  const IntlSettings& s = Intl();
  const NumberConversion conversion{"0.#", kCurrencyMask, '.', '.', ',', ',', "$"};
  char out[256];
  for (auto _ : state) {
    ConvertNumber(out, sizeof out, "-1234567.89", conversion, s);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_ConvertRawToCurrency);

}  // namespace
