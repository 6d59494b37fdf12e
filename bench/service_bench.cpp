// The three entry points per value type, UTF-16 in and out.
#include <benchmark/benchmark.h>

#include <string>

#include "intl/settings.h"
#include "platform/unicode.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace {

using namespace zorva;

struct Sample {
  const char* name;
  int type;
  const char* mask;
  const char* entered;  // for IsValid and GetRawValue
  const char* raw;      // for GetFormattedValue
};

const Sample kSamples[] = {
    {"text", tkMEText, "(###) ###-####", "(555) 123-4567", "5551234567"},
    {"currency", tkMECurrency, "", "($1,234.50)", "-1234.5"},
    {"longint", tkMELongInt, "", "-1,234,567", "-1234567"},
    {"double", tkMEDouble, "", "12,345.68", "12345.678"},
    {"date", tkMEDate, "mm/dd/yyyy", "12/31/2001", "2001-12-31"},
    {"time", tkMETime, "", "1:05:09 PM", "13:05:09"},
    {"datetime", tkMEDateTime, "mm/dd/yyyy hh:mm", "12/31/2001 10:30", "2001-12-31 10:30:00"},
    {"boolean", tkMEBoolean, "Yes/No", "Yes", "1"},
};

BSTR Make(const char* utf8) {
  char16_t wide[256];
  std::size_t n = Utf8ToUtf16(utf8, std::char_traits<char>::length(utf8), wide, 256);
  return SysAllocStringLen(wide, static_cast<UINT>(n));
}

void BM_IsValid(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  BSTR mask = Make(s.mask), value = Make(s.entered);
  LONG ret = 0;
  for (auto _ : state) {
    IsValid(s.type, mask, value, &ret);
    benchmark::DoNotOptimize(ret);
  }
  state.SetLabel(s.name);
  SysFreeString(mask);
  SysFreeString(value);
}

void BM_GetRawValue(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  BSTR mask = Make(s.mask), value = Make(s.entered);
  for (auto _ : state) {
    BSTR out = nullptr;
    GetRawValue(s.type, mask, value, &out);
    benchmark::DoNotOptimize(out);
    SysFreeString(out);
  }
  state.SetLabel(s.name);
  SysFreeString(mask);
  SysFreeString(value);
}

void BM_GetFormattedValue(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  BSTR mask = Make(s.mask), value = Make(s.raw);
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = value;
  for (auto _ : state) {
    BSTR out = nullptr;
    GetFormattedValue(s.type, mask, v, &out);
    benchmark::DoNotOptimize(out);
    SysFreeString(out);
  }
  state.SetLabel(s.name);
  SysFreeString(mask);
  SysFreeString(value);
}

constexpr int kCount = static_cast<int>(sizeof kSamples / sizeof kSamples[0]);
BENCHMARK(BM_IsValid)->DenseRange(0, kCount - 1);
BENCHMARK(BM_GetRawValue)->DenseRange(0, kCount - 1);
BENCHMARK(BM_GetFormattedValue)->DenseRange(0, kCount - 1);

}  // namespace
