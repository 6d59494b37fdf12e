// Boolean texts where the case table cannot reach them: no value or mask,
// destinations smaller than the answer. Typed values are rows of
// tests/cases/cases.tsv.
#include "service/boolean.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zorva {
namespace {

TEST(Boolean, MissingArgumentsAndSmallDestinations) {
  EXPECT_EQ(BooleanState(nullptr, "Yes/No"), 0);
  EXPECT_EQ(BooleanState("yes", nullptr), 0);
  char dest[8];
  std::memset(dest, 'x', sizeof dest);
  EXPECT_EQ(BooleanText(dest, 3, "True/False", 0), 2u);
  EXPECT_STREQ(dest, "Fa");
  EXPECT_EQ(dest[3], 'x');
  dest[0] = 'x';
  EXPECT_EQ(BooleanText(dest, 0, "True/False", 1), 0u);
  EXPECT_EQ(dest[0], 'x');
  EXPECT_EQ(BooleanText(nullptr, 10, "True/False", 1), 0u);
  EXPECT_EQ(BooleanText(dest, sizeof dest, nullptr, 1), 0u);
  EXPECT_STREQ(dest, "");
  EXPECT_EQ(ConvertBoolean(dest, 4, "Yes", "Yes/No", "True/False"), 3u);
  EXPECT_STREQ(dest, "Tru");
  ConvertBoolean(dest, sizeof dest, "Yes", nullptr, "1/0");  // no source mask: false
  EXPECT_STREQ(dest, "0");
  ConvertBoolean(dest, sizeof dest, nullptr, "Yes/No", "1/0");
  EXPECT_STREQ(dest, "0");
}

}  // namespace
}  // namespace zorva
