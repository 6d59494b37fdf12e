#include <benchmark/benchmark.h>

#include "service/variant_text.h"
#include "zorva/types.h"

namespace zorva {
namespace {

void Convert(benchmark::State& state, VARIANT value, std::int32_t type) {
  for (auto _ : state) {
    SVariant text;
    benchmark::DoNotOptimize(VariantToRawText(value, type, text));
    benchmark::DoNotOptimize(text.DataPtr(0));
  }
}

VARIANT Make(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

void BM_String(benchmark::State& state) {
  VARIANT v = Make(VT_BSTR);
  v.bstrVal = SysAllocString(u"($1,234.50)");
  Convert(state, v, tkMECurrency);
  SysFreeString(v.bstrVal);
}
void BM_Long(benchmark::State& state) {
  VARIANT v = Make(VT_I4);
  v.lVal = -123456;
  Convert(state, v, tkMELongInt);
}
void BM_Double(benchmark::State& state) {
  VARIANT v = Make(VT_R8);
  v.dblVal = 1234.5678;
  Convert(state, v, tkMEDouble);
}
void BM_Currency(benchmark::State& state) {
  VARIANT v = Make(VT_CY);
  v.cyVal.int64 = -12345000;
  Convert(state, v, tkMECurrency);
}
void BM_DateTime(benchmark::State& state) {
  VARIANT v = Make(VT_DATE);
  v.date = 36526.75;
  Convert(state, v, tkMEDateTime);
}
void BM_Boolean(benchmark::State& state) {
  VARIANT v = Make(VT_BOOL);
  v.boolVal = VARIANT_TRUE;
  Convert(state, v, tkMEBoolean);
}

BENCHMARK(BM_String);
BENCHMARK(BM_Long);
BENCHMARK(BM_Double);
BENCHMARK(BM_Currency);
BENCHMARK(BM_DateTime);
BENCHMARK(BM_Boolean);

}  // namespace
}  // namespace zorva
