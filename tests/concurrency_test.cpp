// The three entry points from 8 threads on shared inputs, the first calls
// racing on the settings, which load on first use: every answer must equal
// the one a single thread gets. Run under ThreadSanitizer by suite 30-tsan.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "case_table.h"
#include "zorva/automation.h"
#include "zorva/masked_edit.h"

namespace zorva {
namespace {

struct Call {
  int type;
  std::u16string mask, value;
};

// Every call in the list, starting at `start`.
void AnswerAll(const std::vector<Call>& calls, std::size_t start, std::vector<test::Answers>& out) {
  out.resize(calls.size());
  for (std::size_t k = 0; k < calls.size(); ++k) {
    const std::size_t i = (start + k) % calls.size();
    out[i] = test::Ask(calls[i].type, calls[i].mask, calls[i].value);
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
  std::vector<std::vector<test::Answers>> threaded(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back(AnswerAll, std::cref(calls), t * calls.size() / kThreads,
                         std::ref(threaded[t]));
  for (std::thread& th : threads) th.join();

  std::vector<test::Answers> single;
  AnswerAll(calls, 0, single);
  for (int t = 0; t < kThreads; ++t)
    for (std::size_t i = 0; i < calls.size(); ++i) ASSERT_TRUE(threaded[t][i] == single[i]) << "thread " << t << " call " << i;
  EXPECT_GT(3 * calls.size() * (kThreads + 1), 200000u);
}

}  // namespace
}  // namespace zorva
