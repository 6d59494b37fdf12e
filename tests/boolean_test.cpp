// Boolean texts where the case table cannot reach them: no value or mask,
// destinations smaller than the answer. Typed values are rows of
// tests/cases/cases.tsv.
#include "service/boolean.h"

#include <gtest/gtest.h>

#include <string>

namespace zorva {
namespace {

TEST(Boolean, MissingArgumentsAndSmallDestinations) {
  EXPECT_EQ(BooleanState(nullptr, "Yes/No"), 0);
  EXPECT_EQ(BooleanState("yes", nullptr), 0);
  // The whole destination after the call: nothing written past `size`.
  struct Row { bool dest; std::size_t size; const char *value, *from, *to, *after; std::size_t length; };
  for (const Row& r : {Row{true, 3, "No", "Yes/No", "True/False", "Fa\0xxxxx", 2}, Row{true, 0, "1", "", "T/F", "xxxxxxxx", 0},
                       Row{true, 4, "Yes", "Yes/No", "True/False", "Tru\0xxxx", 3}, Row{false, 10, "1", "", "T/F", "", 0},
                       Row{true, 8, "Yes", "Yes/No", nullptr, "\0xxxxxxx", 0},
                       Row{true, 8, "Yes", nullptr, "1/0", "0\0xxxxxx", 1},  // no source mask: false
                       Row{true, 8, nullptr, "Yes/No", "1/0", "0\0xxxxxx", 1}}) {
    char dest[9] = "xxxxxxxx";
    EXPECT_EQ(ConvertBoolean(r.dest ? dest : nullptr, r.size, r.value, r.from, r.to), r.length) << r.after;
    if (r.dest) { EXPECT_EQ(std::string(dest, 8), std::string(r.after, 8)) << r.size; }
  }
}

}  // namespace
}  // namespace zorva
