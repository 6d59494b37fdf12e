#include "service/boolean.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zorva {
namespace {

// Typed values under a mask are rows of tests/cases/cases.tsv; here what the
// entry points cannot pass: no value, no mask, values and masks past 255.
TEST(BooleanState, MissingAndLongArguments) {
  EXPECT_EQ(BooleanState("", "Yes/No"), 0);
  EXPECT_EQ(BooleanState(nullptr, "Yes/No"), 0);
  EXPECT_EQ(BooleanState("yes", nullptr), 0);
  EXPECT_EQ(BooleanState("0", nullptr), 0);
  const std::string run(1000, 'a');
  const std::string mask = run + "b/" + run + "c";
  EXPECT_EQ(BooleanState((run + "b").c_str(), mask.c_str()), 1);
  EXPECT_EQ(BooleanState((run + "c").c_str(), mask.c_str()), 0);
  EXPECT_EQ(BooleanState(run.c_str(), mask.c_str()), 0);
  const std::string stranger(1 << 20, 'z');
  EXPECT_EQ(BooleanState(stranger.c_str(), "Yes/No"), 0);
  EXPECT_EQ(BooleanState((std::string(5000, 'q') + "yes").c_str(), "Yes/No"), 0);
}

// The text of each state under a mask is rows of tests/cases/cases.tsv.
TEST(BooleanText, BoundedByTheDestination) {
  char dest[8];
  std::memset(dest, 'x', sizeof dest);
  EXPECT_EQ(BooleanText(dest, 3, "True/False", 0), 2u);
  EXPECT_STREQ(dest, "Fa");
  EXPECT_EQ(dest[3], 'x');
  EXPECT_EQ(BooleanText(dest, 1, "True/False", 1), 0u);
  EXPECT_STREQ(dest, "");
  dest[0] = 'x';
  EXPECT_EQ(BooleanText(dest, 0, "True/False", 1), 0u);
  EXPECT_EQ(dest[0], 'x');
  EXPECT_EQ(BooleanText(nullptr, 10, "True/False", 1), 0u);
  EXPECT_EQ(BooleanText(dest, sizeof dest, nullptr, 1), 0u);
  EXPECT_STREQ(dest, "");
  EXPECT_EQ(ConvertBoolean(dest, 4, "Yes", "Yes/No", "True/False"), 3u);
  EXPECT_STREQ(dest, "Tru");

  const std::string longMask = std::string(1000, 'y') + "/No";
  char answer[256];
  EXPECT_EQ(BooleanText(answer, sizeof answer, longMask.c_str(), 1), 255u);
  EXPECT_EQ(std::string(answer), std::string(255, 'y'));
  EXPECT_EQ(BooleanText(answer, sizeof answer, longMask.c_str(), 0), 2u);
  EXPECT_STREQ(answer, "No");
}

struct ConvertCase {
  const char* value;
  const char* source;
  const char* target;
  const char* text;
};

// Masks the entry points never pass: none, or an empty one.
TEST(ConvertBoolean, ReadsWithOneMaskAndWritesWithAnother) {
  const ConvertCase cases[] = {
      {"on", "On/Off", "Y/N", "Y"},
      {"", "Yes/No", "True/False", "False"},   // empty value: false
      {nullptr, "Yes/No", "True/False", "False"},
      {"Yes", nullptr, "1/0", "0"},            // no source mask: false
      {"Yes", "", "1/0", "0"},
      {"1", "", "1/0", "1"},
      {"Yes", "Yes/No", "Always", "Always"},
      {"Yes", "Yes/No", nullptr, ""},
  };
  for (const ConvertCase& c : cases) {
    char dest[32];
    ConvertBoolean(dest, sizeof dest, c.value, c.source, c.target);
    EXPECT_STREQ(dest, c.text) << (c.value ? c.value : "(null)");
  }
}

}  // namespace
}  // namespace zorva
