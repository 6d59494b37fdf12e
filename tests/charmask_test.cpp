// Text values under "#&A?LU" masks where the case table cannot reach them:
// destinations smaller than the answer, and values and masks of a megabyte.
// What a value extracts to and shows as is rows of tests/cases/cases.tsv.
#include <gtest/gtest.h>

#include <string>

#include "charmask/charmask.h"
#include "intl/settings.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

TEST(CharMask, ExtractIsBoundedByTheDestination) {
  char out[256];
  // The walk stops with the buffer: a literal after it is never reached.
  EXPECT_EQ(ExtractMaskedText(out, 4, "123)", "###)", Us()), 0);
  EXPECT_EQ(ExtractMaskedText(out, 3, "12", "\\a##", Us()), 1);  // past an escape, to the last byte
  EXPECT_STREQ(out, "12");
  EXPECT_EQ(ExtractMaskedText(out, 2, "ab", nullptr, Us()), 1);
  EXPECT_STREQ(out, "a");
  const std::string literals(1 << 20, '-'), big(1 << 20, 'x');
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, "", literals.c_str(), Us()), 1);
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, big.c_str(), "&&&", Us()), 0);
  EXPECT_STREQ(out, "xxx");
  EXPECT_EQ(ExtractMaskedText(out, sizeof out, big.c_str(), "", Us()), 1);
  EXPECT_EQ(std::string(out), std::string(255, 'x'));
}

TEST(CharMask, DisplayIsBoundedByTheDestination) {
  char out[4];
  ApplyTextMask(out, sizeof out, "1", "\"HELLO\"#", Us());  // cut inside a quoted run
  EXPECT_STREQ(out, "HEL");
  // A long value that needs the display by position, under masks far beyond the buffer.
  std::string mask(1000, '#'), value(1000, '1');
  value[3] = 'x';
  char big[256];
  FormatMaskedText(big, 255, value.c_str(), mask.c_str(), Us());
  EXPECT_EQ(std::string(big), "111#" + std::string(250, '1'));
  std::string hugeMask(1 << 20, 'L'), hugeValue(1 << 20, 'Q');
  hugeValue[0] = '9';
  FormatMaskedText(big, 255, hugeValue.c_str(), hugeMask.c_str(), Us());
  EXPECT_EQ(std::string(big), "L" + std::string(253, 'q'));
}

}  // namespace
}  // namespace zorva
