// Windows-1252 facts: classes, case mapping and the Unicode mapping.
#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "platform/unicode.h"

namespace zorva {
namespace {

struct ByteFacts {
  unsigned char byte;
  bool alpha, alnum, upper, lower;
  unsigned char toUpper, toLower;
  char16_t unicode;
};

const ByteFacts kFacts[] = {
    {'A', 1, 1, 1, 0, 'A', 'a', u'A'},
    {'z', 1, 1, 0, 1, 'Z', 'z', u'z'},
    {'5', 0, 1, 0, 0, '5', '5', u'5'},
    {' ', 0, 0, 0, 0, ' ', ' ', u' '},
    {'_', 0, 0, 0, 0, '_', '_', u'_'},
    {0x00, 0, 0, 0, 0, 0x00, 0x00, 0x0000},
    {0x7F, 0, 0, 0, 0, 0x7F, 0x7F, 0x007F},
    {0x80, 0, 0, 0, 0, 0x80, 0x80, 0x20AC},  // euro sign
    {0x81, 0, 0, 0, 0, 0x81, 0x81, 0x0081},  // undefined: same code point
    {0x83, 1, 1, 0, 1, 0x83, 0x83, 0x0192},  // f with hook: no capital in the code page
    {0x8A, 1, 1, 1, 0, 0x8A, 0x9A, 0x0160},  // S caron
    {0x8C, 1, 1, 1, 0, 0x8C, 0x9C, 0x0152},  // OE
    {0x8D, 0, 0, 0, 0, 0x8D, 0x8D, 0x008D},
    {0x8E, 1, 1, 1, 0, 0x8E, 0x9E, 0x017D},  // Z caron
    {0x8F, 0, 0, 0, 0, 0x8F, 0x8F, 0x008F},
    {0x90, 0, 0, 0, 0, 0x90, 0x90, 0x0090},
    {0x99, 0, 0, 0, 0, 0x99, 0x99, 0x2122},  // trade mark
    {0x9A, 1, 1, 0, 1, 0x8A, 0x9A, 0x0161},  // s caron
    {0x9C, 1, 1, 0, 1, 0x8C, 0x9C, 0x0153},
    {0x9D, 0, 0, 0, 0, 0x9D, 0x9D, 0x009D},
    {0x9E, 1, 1, 0, 1, 0x8E, 0x9E, 0x017E},
    {0x9F, 1, 1, 1, 0, 0x9F, 0xFF, 0x0178},  // Y diaeresis
    {0xA0, 0, 0, 0, 0, 0xA0, 0xA0, 0x00A0},
    {0xA3, 0, 0, 0, 0, 0xA3, 0xA3, 0x00A3},  // pound
    {0xB5, 1, 1, 0, 1, 0xB5, 0xB5, 0x00B5},  // micro: its capital is not in the code page
    {0xC0, 1, 1, 1, 0, 0xC0, 0xE0, 0x00C0},
    {0xC9, 1, 1, 1, 0, 0xC9, 0xE9, 0x00C9},
    {0xD7, 0, 0, 0, 0, 0xD7, 0xD7, 0x00D7},  // multiplication sign
    {0xDE, 1, 1, 1, 0, 0xDE, 0xFE, 0x00DE},
    {0xDF, 1, 1, 0, 1, 0xDF, 0xDF, 0x00DF},  // sharp s: no capital
    {0xE9, 1, 1, 0, 1, 0xC9, 0xE9, 0x00E9},
    {0xF7, 0, 0, 0, 0, 0xF7, 0xF7, 0x00F7},  // division sign
    {0xFE, 1, 1, 0, 1, 0xDE, 0xFE, 0x00FE},
    {0xFF, 1, 1, 0, 1, 0x9F, 0xFF, 0x00FF},
};

TEST(CodePage, ClassesAndCaseOfWindows1252) {
  for (const ByteFacts& f : kFacts) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int{f.byte});
    char c = static_cast<char>(f.byte);
    EXPECT_EQ(IsCharAlphaA(c), f.alpha);
    EXPECT_EQ(IsCharAlphaNumericA(c), f.alnum);
    EXPECT_EQ(IsCharUpperA(c), f.upper);
    EXPECT_EQ(IsCharLowerA(c), f.lower);
    EXPECT_EQ(static_cast<unsigned char>(CharUpperA(c)), f.toUpper);
    EXPECT_EQ(static_cast<unsigned char>(CharLowerA(c)), f.toLower);
    EXPECT_EQ(AnsiCodePage().unicode[f.byte], f.unicode);
  }
}

TEST(CodePage, WholeTableIsConsistent) {
  int letters = 0;
  for (int b = 0; b < 256; ++b) {
    char c = static_cast<char>(b);
    if (IsCharAlphaA(c)) ++letters;
    // A case pair maps both ways, and only letters have case.
    if (CharUpperA(c) != c) {
      EXPECT_EQ(CharLowerA(CharUpperA(c)), c) << b;
    }
    if (CharLowerA(c) != c) {
      EXPECT_EQ(CharUpperA(CharLowerA(c)), c) << b;
    }
    if (IsCharUpperA(c) || IsCharLowerA(c)) {
      EXPECT_TRUE(IsCharAlphaA(c)) << b;
    }
    EXPECT_FALSE(IsCharUpperA(c) && IsCharLowerA(c)) << b;
    // Only the code page's own digits are digits to the C runtime too.
    EXPECT_EQ(CrtIsDigit(c), IsCharAlphaNumericA(c) && !IsCharAlphaA(c)) << b;
  }
  // 52 ASCII letters, 9 in 0x80..0x9F, 4 in 0xA0..0xBF, 62 in 0xC0..0xFF.
  EXPECT_EQ(letters, 52 + 9 + 3 + 62);
  for (char d = '0'; d <= '9'; ++d) EXPECT_TRUE(CrtIsDigit(d));
}

TEST(CodePage, CaseInsensitiveCompare) {
  EXPECT_EQ(CrtCompareNoCase("janvier", "JANVIER"), 0);
  EXPECT_EQ(CrtCompareNoCase("f\xe9vrier", "F\xc9VRIER"), 0);
  EXPECT_NE(CrtCompareNoCase("Jan", "Jun"), 0);
  EXPECT_EQ(CrtCompareNoCase("Janu", "JANx", 3), 0);
  EXPECT_LT(CrtCompareNoCase("Ja", "Jan"), 0);
}

std::string ToAnsi(const std::u16string& s, std::size_t size = 64) {
  std::string out(size, '\x01');
  std::size_t n = Utf16ToAnsi(s.data(), s.size(), out.data(), size);
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

TEST(CodePage, Utf16ToAnsi) {
  EXPECT_EQ(ToAnsi(u"caf\u00e9 \u20ac5"), "caf\xe9 \x80" "5");
  EXPECT_EQ(ToAnsi(u"\u0100\u4e2d"), "??");            // no equivalent
  EXPECT_EQ(ToAnsi(u"a\U0001F600b"), "a?b");           // a pair is one character
  EXPECT_EQ(ToAnsi(std::u16string(u"x\xD800y\xDC00")), "x?y?");  // unpaired halves
  EXPECT_EQ(ToAnsi(u"\u0081\u008d\u0178\u2122"), "\x81\x8d\x9f\x99");
  EXPECT_EQ(ToAnsi(u"abcdef", 4), "abc");              // cut to the buffer
  EXPECT_EQ(ToAnsi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

// ASCII is copied several units at a time: a zero or a character outside
// ASCII at any place of a run, and a cut at any place, must come out as one
// unit at a time would give it. Zero is a character here, not an end.
TEST(CodePage, Utf16ToAnsiAtEveryPlaceOfAsciiRuns) {
  for (std::size_t length = 1; length <= 11; ++length) {
    for (std::size_t at = 0; at < length; ++at) {
      for (char16_t odd : {u'\0', u'\u00e9', u'\u20ac', u'\u4e2d', u'\u0080', u'\u007f'}) {
        std::u16string text(length, u'a');
        text[at] = odd;
        std::string expected(length, 'a');
        expected[at] = odd == u'\u00e9' ? '\xe9' : odd == u'\u20ac' ? '\x80' : odd == u'\u4e2d' ? '?'
                     : odd == u'\u0080' ? '?'  // the code page has no U+0080
                     : static_cast<char>(odd);
        SCOPED_TRACE(std::to_string(length) + " " + std::to_string(at));
        EXPECT_EQ(ToAnsi(text), expected);
        EXPECT_EQ(ToAnsi(text, at + 1), expected.substr(0, at));
      }
    }
  }
  // UTF-8: a zero followed by stray continuation bytes is a zero and a "?" each.
  char out[16];
  EXPECT_EQ(Utf8ToAnsi("a\0\x80\x80z", 5, out, sizeof out), 5u);
  EXPECT_EQ(std::string(out, 5), std::string("a\0??z", 5));
}

TEST(CodePage, AnsiToUtf16RoundTripsEveryByte) {
  char all[256];
  for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
  char16_t wide[257];
  ASSERT_EQ(AnsiToUtf16(all, 256, wide, 257), 256u);
  char back[257];
  ASSERT_EQ(Utf16ToAnsi(wide, 256, back, 257), 256u);
  EXPECT_EQ(std::string(all, 256), std::string(back, 256));
}

TEST(CodePage, Utf8Conversions) {
  char16_t wide[32];
  std::string in = "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";  // é € and an emoji
  ASSERT_EQ(Utf8ToUtf16(in.data(), in.size(), wide, 32), 4u);
  EXPECT_EQ(wide[0], 0xE9);
  EXPECT_EQ(wide[1], 0x20AC);
  EXPECT_EQ(wide[2], 0xD83D);
  char out[32];
  ASSERT_EQ(Utf16ToUtf8(wide, 4, out, 32), in.size());
  EXPECT_EQ(std::string(out), in);
  // Malformed input becomes replacement characters, one per bad byte.
  std::string bad = "a\xff\xc3";
  ASSERT_EQ(Utf8ToUtf16(bad.data(), bad.size(), wide, 32), 3u);
  EXPECT_EQ(wide[1], 0xFFFD);
  EXPECT_EQ(wide[2], 0xFFFD);
  // A character that does not fit whole is left out.
  char small[3];
  EXPECT_EQ(Utf16ToUtf8(u"\u20ac", 1, small, 3), 0u);
}

}  // namespace
}  // namespace zorva
