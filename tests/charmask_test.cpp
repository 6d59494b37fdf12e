// Text values under "#&A?LU" masks: extraction, layout and display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "charmask/charmask.h"

namespace zorva {
namespace {

// What a value extracts to and shows as under a mask is rows of
// tests/cases/cases.tsv; here the cuts at a destination and what the entry
// points never pass (an empty value, no mask).
TEST(CharMask, ExtractStopsWhenTheDestinationIsFull) {
  char out[4] = {};
  EXPECT_EQ(ExtractMaskedText(out, "", "###", sizeof out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(ExtractMaskedText(out, "12345", "#####", sizeof out), 0);
  EXPECT_STREQ(out, "123");
  // The walk stops with the buffer: the literal after the last placeholder
  // is never reached, so the value is left unconsumed.
  EXPECT_EQ(ExtractMaskedText(out, "123)", "###)", sizeof out), 0);
  EXPECT_EQ(ExtractMaskedText(out, "12", "\\a##", 3), 1);  // past an escape, to the last byte too
  EXPECT_STREQ(out, "12");
  EXPECT_EQ(ExtractMaskedText(out, "ab", nullptr, 2), 1);
  EXPECT_STREQ(out, "a");
}

TEST(CharMask, ExtractFarBeyondTheBuffer) {
  std::string mask(1000, '#'), value(1000, '7');
  char out[256];
  EXPECT_EQ(ExtractMaskedText(out, value.c_str(), mask.c_str(), sizeof out), 0);
  EXPECT_EQ(std::string(out), std::string(255, '7'));

  std::string literals(1 << 20, '-');
  EXPECT_EQ(ExtractMaskedText(out, "", literals.c_str(), sizeof out), 1);
  std::string big(1 << 20, 'x');
  EXPECT_EQ(ExtractMaskedText(out, big.c_str(), "&&&", sizeof out), 0);
  EXPECT_STREQ(out, "xxx");
  EXPECT_EQ(ExtractMaskedText(out, big.c_str(), "", sizeof out), 1);
  EXPECT_EQ(std::string(out), std::string(255, 'x'));
}

TEST(CharMask, FormatOfNothing) {
  char out[16] = "junk";
  FormatMaskedText(out, nullptr, "(###)", sizeof out);
  EXPECT_STREQ(out, "()");
  FormatMaskedText(out, nullptr, nullptr, sizeof out);
  EXPECT_STREQ(out, "");
  FormatMaskedText(nullptr, "1", "#", 16);  // a null destination does nothing
}

TEST(CharMask, BoundedLayout) {
  char out[4];
  ApplyTextMask(out, "1", "\"HELLO\"#", sizeof out);  // cut inside a quoted run
  EXPECT_STREQ(out, "HEL");
  FormatMaskedText(out, "123456", "######", sizeof out);
  EXPECT_STREQ(out, "123");

  // A long value that needs the fallback, with a mask far beyond the buffer.
  std::string mask(1000, '#'), value(1000, '1');
  value[3] = 'x';
  char big[256];
  FormatMaskedText(big, value.c_str(), mask.c_str(), 255);
  std::string expected(254, '1');
  expected[3] = '#';
  EXPECT_EQ(std::string(big), expected);

  std::string hugeMask(1 << 20, 'L');
  std::string hugeValue(1 << 20, 'Q');
  hugeValue[0] = '9';
  FormatMaskedText(big, hugeValue.c_str(), hugeMask.c_str(), 255);
  EXPECT_EQ(std::string(big), "L" + std::string(253, 'q'));
}

// Which character a placeholder takes shows in the display rows of the case
// table; here a literal, escaped positions and positions outside the mask.
TEST(CharMask, PlaceMaskChar) {
  const struct { const char* mask; char c; int position; const char* expected; } kCases[] = {
      {"A-A", ' ', 2, "A-_"},
      {"A-A", 'b', 1, "A-A"},         // a literal position takes nothing
      {"\\##", '7', 0, "7##"},         // examined at index 1, written at 0
      {"\\##", '7', 1, "\\7#"},
      {"###", '5', -1, "###"},
      {"###", '5', 3, "###"},         // past the mask
  };
  for (const auto& c : kCases) {
    char dest[16];
    std::strcpy(dest, c.mask);
    PlaceMaskChar(dest, sizeof dest, c.mask, c.c, c.position);
    EXPECT_STREQ(dest, c.expected) << c.mask << " at " << c.position;
  }
  char small[2] = "#";
  PlaceMaskChar(small, sizeof small, "###", '5', 1);  // outside the buffer
  EXPECT_STREQ(small, "#");
}

TEST(CharMask, MaskIndexOf) {
  const struct { const char* mask; int position; int index; } kCases[] = {
      {"###", 0, 0}, {"###", 2, 2}, {"###", 3, 3}, {"###", 7, 3}, {"###", -4, 0},
      {"\\##", 0, 1}, {"\\##", 1, 2},
      {"a\"b\"c", 0, 0}, {"a\"b\"c", 1, 2}, {"a\"b\"c", 2, 4},
      {"ab\\", 2, 3},   // never beyond the end
      {"\"\"\"#", 0, 3},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(MaskIndexOf(c.mask, c.position), c.index) << c.mask << " " << c.position;
  }
}

}  // namespace
}  // namespace zorva
