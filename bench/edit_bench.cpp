// Editing as you type: the cost of one keystroke in a field of 20
// characters (a date of 10), typed key by key through the C interface, and
// of a commit.
#include <benchmark/benchmark.h>

#include <cstring>

#include "zorva/zorva.h"

namespace {

struct Field {
  const char* name;
  int type;
  const char* mask;
  const char* keys;  // typed one by one, then the field is emptied
};

const Field kFields[] = {
    {"phone", ZORVA_TEXT, "(###) ###-#### x####", "55512345671234"},
    {"currency", ZORVA_CURRENCY, "", "123456789012.34"},
    {"date-time", ZORVA_DATETIME, "mm/dd/yyyy hh:mm:ss", "12312026235959"},
    {"date", ZORVA_DATE, "mm/dd/yyyy", "12312026"},
};

void BM_Keystroke(benchmark::State& state) {
  const Field& f = kFields[state.range(0)];
  zorva_editor* e = zorva_editor_new(f.type, f.mask, ZORVA_NTS, nullptr, 0);
  const std::size_t n = std::strlen(f.keys);
  char text[ZORVA_MAX_ANSWER + 1];
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i) {
      zorva_editor_insert(e, f.keys + i, 1);
      benchmark::DoNotOptimize(zorva_editor_text(e, text, sizeof text));
    }
    zorva_editor_set_selection(e, 0, 100);
    zorva_editor_delete_backward(e);
  }
  state.SetLabel(f.name);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * (n + 1)));
  zorva_editor_free(e);
}
BENCHMARK(BM_Keystroke)->DenseRange(0, 3);

void BM_Commit(benchmark::State& state) {
  const Field& f = kFields[state.range(0)];
  zorva_editor* e = zorva_editor_new(f.type, f.mask, ZORVA_NTS, nullptr, 0);
  zorva_editor_insert(e, f.keys, ZORVA_NTS);
  for (auto _ : state) benchmark::DoNotOptimize(zorva_editor_commit(e));
  state.SetLabel(f.name);
  zorva_editor_free(e);
}
BENCHMARK(BM_Commit)->DenseRange(0, 3);

}  // namespace
