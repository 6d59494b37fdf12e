// The three entry points from 8 threads on shared inputs, the first calls
// racing on the settings, which load on first use: every answer must equal
// the one a single thread gets. Run under ThreadSanitizer by suite 30-tsan.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "case_table.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

struct Call {
  int type;
  std::u16string mask, value;
};

struct Answers {
  std::vector<LONG> valid;
  std::vector<std::u16string> raw, formatted;
};

std::u16string Take(BSTR b) {
  std::u16string s(b, SysStringLen(b));
  SysFreeString(b);
  return s;
}

// Every call in the list, starting at `start`, each entry point once.
void AnswerAll(const std::vector<Call>& calls, std::size_t start, Answers& out) {
  const std::size_t n = calls.size();
  out.valid.assign(n, 1);
  out.raw.assign(n, u"<none>");
  out.formatted.assign(n, u"<none>");
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (start + k) % n;
    const Call& c = calls[i];
    BSTR mask = SysAllocStringLen(c.mask.data(), static_cast<UINT>(c.mask.size()));
    BSTR value = SysAllocStringLen(c.value.data(), static_cast<UINT>(c.value.size()));
    IsValid(c.type, mask, value, &out.valid[i]);
    BSTR answer = nullptr;
    if (GetRawValue(c.type, mask, value, &answer) == S_OK) out.raw[i] = Take(answer);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = value;
    answer = nullptr;
    if (GetFormattedValue(c.type, mask, v, &answer) == S_OK) out.formatted[i] = Take(answer);
    SysFreeString(mask);
    SysFreeString(value);
  }
}

TEST(Concurrency, EightThreadsAnswerAsOne) {
  // The table's rows, also under another type and one outside the range,
  // repeated to ten thousand calls.
  std::vector<Call> calls;
  for (const test::TableCase& c : test::LoadCaseTable(ZORVA_SOURCE_DIR "/tests/cases/cases.tsv"))
    for (int type : {c.type, (c.type + 1) % kValueTypeCount, 100}) calls.push_back({type, c.mask, c.value});
  const std::size_t rows = calls.size();
  while (calls.size() < 10000)
    for (std::size_t i = 0; i < rows; ++i) calls.push_back(calls[i]);

  // Threads first, so that their first calls load the settings.
  constexpr int kThreads = 8;
  std::vector<Answers> threaded(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back(AnswerAll, std::cref(calls), t * calls.size() / kThreads,
                         std::ref(threaded[t]));
  for (std::thread& th : threads) th.join();

  Answers single;
  AnswerAll(calls, 0, single);
  for (int t = 0; t < kThreads; ++t) {
    for (std::size_t i = 0; i < calls.size(); ++i) {
      ASSERT_EQ(threaded[t].valid[i], single.valid[i]) << "thread " << t << " call " << i;
      ASSERT_EQ(threaded[t].raw[i], single.raw[i]) << "thread " << t << " call " << i;
      ASSERT_EQ(threaded[t].formatted[i], single.formatted[i]) << "thread " << t << " call " << i;
    }
  }
  EXPECT_GT(3 * calls.size() * (kThreads + 1), 200000u);
}

}  // namespace
}  // namespace zorva
