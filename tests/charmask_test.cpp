// Text values under "#&A?LU" masks: extraction, layout and display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "charmask/charmask.h"
#include "intl/settings.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

// What a value extracts to and shows as under a mask is rows of
// tests/cases/cases.tsv; here the cuts at a destination and what the entry
// points never pass (an empty value, no mask).
TEST(CharMask, ExtractStopsWhenTheDestinationIsFull) {
  char out[4] = {};
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, "", "###", Us()), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, "12345", "#####", Us()), 0);
  EXPECT_STREQ(out, "123");
  // The walk stops with the buffer: the literal after the last placeholder
  // is never reached, so the value is left unconsumed.
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, "123)", "###)", Us()), 0);
  EXPECT_EQ(ExtractMaskedText(out, 3, "12", "\\a##", Us()), 1);  // past an escape, to the last byte too
  EXPECT_STREQ(out, "12");
  EXPECT_EQ(ExtractMaskedText(out, 2, "ab", nullptr, Us()), 1);
  EXPECT_STREQ(out, "a");
}

TEST(CharMask, ExtractFarBeyondTheBuffer) {
  std::string mask(1000, '#'), value(1000, '7');
  char out[256];
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, value.c_str(), mask.c_str(), Us()), 0);
  EXPECT_EQ(std::string(out), std::string(255, '7'));

  std::string literals(1 << 20, '-');
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, "", literals.c_str(), Us()), 1);
  std::string big(1 << 20, 'x');
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, big.c_str(), "&&&", Us()), 0);
  EXPECT_STREQ(out, "xxx");
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, big.c_str(), "", Us()), 1);
  EXPECT_EQ(std::string(out), std::string(255, 'x'));
}

TEST(CharMask, FormatOfNothing) {
  char out[16] = "junk";
  FormatMaskedText(out, sizeof out, nullptr, "(###)", Us());
  EXPECT_STREQ(out, "()");
  FormatMaskedText(out, sizeof out, nullptr, nullptr, Us());
  EXPECT_STREQ(out, "");
  FormatMaskedText(nullptr, 16, "1", "#", Us());  // a null destination does nothing
}

TEST(CharMask, BoundedLayout) {
  char out[4];
  ApplyTextMask(out, sizeof out, "1", "\"HELLO\"#", Us());  // cut inside a quoted run
  EXPECT_STREQ(out, "HEL");
  FormatMaskedText(out, sizeof out, "123456", "######", Us());
  EXPECT_STREQ(out, "123");

  // A long value that needs the fallback, with a mask far beyond the buffer.
  std::string mask(1000, '#'), value(1000, '1');
  value[3] = 'x';
  char big[256];
  FormatMaskedText(big, 255, value.c_str(), mask.c_str(), Us());
  std::string expected(254, '1');
  expected[3] = '#';
  EXPECT_EQ(std::string(big), expected);

  std::string hugeMask(1 << 20, 'L');
  std::string hugeValue(1 << 20, 'Q');
  hugeValue[0] = '9';
  FormatMaskedText(big, 255, hugeValue.c_str(), hugeMask.c_str(), Us());
  EXPECT_EQ(std::string(big), "L" + std::string(253, 'q'));
}

}  // namespace
}  // namespace zorva
