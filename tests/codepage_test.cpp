#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace zorva {
namespace {

TEST(CodePage, SmokeLetters) {
  EXPECT_TRUE(IsCharLowerA('\xE9'));
  EXPECT_EQ(CharUpperA('\xE9'), '\xC9');
}

}  // namespace
}  // namespace zorva
