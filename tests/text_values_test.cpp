// Text and boolean values where the case table cannot reach them: no value
// or mask, destinations smaller than the answer, and values and masks of a
// megabyte under "#&A?LU" masks. What a value extracts to and shows as is
// rows of tests/cases/cases.tsv.
#include <gtest/gtest.h>

#include <string>

#include "charmask/charmask.h"
#include "intl/settings.h"
#include "service/boolean.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

TEST(CharMask, ExtractAndDisplayAreBoundedByTheDestination) {
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
  char small[4];
  ApplyTextMask(small, sizeof small, "1", "\"HELLO\"#", Us());  // cut inside a quoted run
  EXPECT_STREQ(small, "HEL");
  // A long value that needs the display by position, under masks far beyond the buffer.
  std::string mask(1000, '#'), value(1000, '1');
  value[3] = 'x';
  FormatMaskedText(out, 255, value.c_str(), mask.c_str(), Us());
  EXPECT_EQ(std::string(out), "111#" + std::string(250, '1'));
  std::string hugeMask(1 << 20, 'L'), hugeValue(1 << 20, 'Q');
  hugeValue[0] = '9';
  FormatMaskedText(out, 255, hugeValue.c_str(), hugeMask.c_str(), Us());
  EXPECT_EQ(std::string(out), "L" + std::string(253, 'q'));
}

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

// The UTF-16 reading of Boolean masks and values takes ASCII other than zero
// only; a unit the code page may map elsewhere is left to the general path.
TEST(Boolean, Utf16ReadingTakesAsciiOnly) {
  AsciiBooleanMask m;
  ASSERT_TRUE(ReadAsciiBooleanMask(u"Yes/No/x", 8, m));
  EXPECT_EQ(m.slash, 3u);
  EXPECT_EQ(m.falseEnd, 6u);
  EXPECT_EQ(BooleanState(u"n", 1, m), 0);
  EXPECT_EQ(BooleanState(u"\u0080", 1, m), -1);
  EXPECT_FALSE(ReadAsciiBooleanMask(u"Y\u0080s/No", 6, m));
}

}  // namespace
}  // namespace zorva
