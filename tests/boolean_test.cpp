#include "service/boolean.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zorva {
namespace {

struct StateCase {
  const char* value;
  const char* mask;
  int state;
};

// Typed values under a mask are rows of tests/cases/cases.tsv; here what the
// entry points cannot pass: code-page bytes, no value, no mask.
TEST(BooleanState, BytesAndMissingArguments) {
  const StateCase cases[] = {
      {"\xC9", "\xE9/x", 1},  // upper-cased in the code page: e-acute
      {"", "Yes/No", 0},
      {nullptr, "Yes/No", 0},
      {"yes", nullptr, 0},
      {"0", nullptr, 0},
  };
  for (const StateCase& c : cases) {
    EXPECT_EQ(BooleanState(c.value, c.mask), c.state)
        << "value " << (c.value ? c.value : "(null)") << " mask " << (c.mask ? c.mask : "(null)");
  }
}

TEST(BooleanState, LongValuesAndMasks) {
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

TEST(ConvertBoolean, LeavesItsInputsAlone) {
  char value[] = "Yes";
  char source[] = "Yes/No";
  char target[] = "True/False/Maybe";
  char dest[4];
  EXPECT_EQ(ConvertBoolean(dest, sizeof dest, value, source, target), 3u);
  EXPECT_STREQ(dest, "Tru");
  EXPECT_STREQ(value, "Yes");
  EXPECT_STREQ(source, "Yes/No");
  EXPECT_STREQ(target, "True/False/Maybe");
}

}  // namespace
}  // namespace zorva
