// Windows-1252 facts: classes, case mapping and the Unicode mapping.
#include <gtest/gtest.h>
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <map>
#include <string>

#include "platform/codepage.h"
#include "platform/unicode.h"

namespace zorva {
namespace {

// Every byte against the C library's own tables: its Windows-1252 decoder
// for the Unicode mapping both ways (an undefined byte keeps its value), and
// the classes and case of that character in a UTF-8 locale, a case partner
// outside the code page leaving the byte as it is. The one difference: the
// code page counts the superscript digits as digits.
TEST(CodePage, EveryByteAsTheCLibrarySeesIt) {
  iconv_t decoder = iconv_open("UTF-32LE", "WINDOWS-1252");
  ASSERT_NE(decoder, reinterpret_cast<iconv_t>(-1));
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  ASSERT_NE(utf8, nullptr);
  char32_t unicode[256];
  std::map<char32_t, int> byteOf;
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b), *inAt = &in;
    char32_t out = 0;
    char* outAt = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool defined = iconv(decoder, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    unicode[b] = defined ? out : static_cast<char32_t>(b);
    byteOf[unicode[b]] = b;
  }
  iconv_close(decoder);
  // The whole code page through both converters at once.
  char all[256], back[257];
  for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
  char16_t wide[257];
  ASSERT_EQ(AnsiToUtf16(all, 256, wide, 257), 256u);
  ASSERT_EQ(Utf16ToAnsi(wide, 256, back, 257), 256u);
  auto inCodePage = [&](wint_t w, int b) { return byteOf.count(w) ? byteOf[w] : b; };
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << b);
    const char c = static_cast<char>(b);
    const wint_t w = unicode[b];
    const bool superscript = b == 0xB2 || b == 0xB3 || b == 0xB9;
    EXPECT_EQ(AnsiCodePage().unicode[b], unicode[b]);
    EXPECT_EQ(wide[b], unicode[b]);
    EXPECT_EQ(back[b], c);
    EXPECT_EQ(IsCharAlphaA(c), iswalpha_l(w, utf8) != 0);
    EXPECT_EQ(IsCharAlphaNumericA(c), iswalnum_l(w, utf8) != 0 || superscript);
    EXPECT_EQ(IsCharUpperA(c), iswupper_l(w, utf8) != 0);
    EXPECT_EQ(IsCharLowerA(c), iswlower_l(w, utf8) != 0);
    EXPECT_EQ(static_cast<unsigned char>(CharUpperA(c)), inCodePage(towupper_l(w, utf8), b));
    EXPECT_EQ(static_cast<unsigned char>(CharLowerA(c)), inCodePage(towlower_l(w, utf8), b));
    // Only the code page's own digits are digits to the C runtime too.
    EXPECT_EQ(CrtIsDigit(c), IsCharAlphaNumericA(c) && !IsCharAlphaA(c));
  }
  freelocale(utf8);
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

// Characters with no byte, pairs and unpaired halves are rows of the case
// table; here the undefined bytes' own code points, a cut, and a zero.
TEST(CodePage, Utf16ToAnsi) {
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
