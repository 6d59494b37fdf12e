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
std::vector<test::Answers> AnswerAll(const std::vector<Call>& calls, std::size_t start) {
  std::vector<test::Answers> out(calls.size());
  for (std::size_t k = 0; k < calls.size(); ++k) {
    const Call& c = calls[(start + k) % calls.size()];
    out[(start + k) % calls.size()] = test::Ask(c.type, c.mask, c.value);
  }
  return out;
}

TEST(Concurrency, EightThreadsAnswerAsOne) {
  // The table's rows, also under another type and one outside the range,
  // repeated to ten thousand calls.
  std::vector<Call> calls;
  for (const test::TableCase& c : test::LoadCaseTable(ZORVA_SOURCE_DIR "/tests/cases/cases.tsv"))
    for (int type : {c.type, (c.type + 1) % kValueTypeCount, 100}) calls.push_back({type, c.mask, c.value});
  const std::size_t rows = calls.size();
  while (calls.size() < 10000) calls.insert(calls.end(), calls.begin(), calls.begin() + rows);
  // Threads first, so that their first calls load the settings.
  std::vector<std::vector<test::Answers>> threaded(8);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < threaded.size(); ++t)
    threads.emplace_back([&, t] { threaded[t] = AnswerAll(calls, t * calls.size() / threaded.size()); });
  for (std::thread& th : threads) th.join();
  const std::vector<test::Answers> single = AnswerAll(calls, 0);
  for (std::size_t t = 0; t < threaded.size(); ++t)
    for (std::size_t i = 0; i < calls.size(); ++i) ASSERT_TRUE(threaded[t][i] == single[i]) << "thread " << t << " call " << i;
}

}  // namespace
}  // namespace zorva
