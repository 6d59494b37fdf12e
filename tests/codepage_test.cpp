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

// Every byte against the C library: its Windows-1252 decoder (an undefined
// byte keeps its value) and the classes and case of the character in a UTF-8
// locale. The one difference: the code page counts superscript digits.
TEST(CodePage, EveryByteAsTheCLibrarySeesIt) {
  iconv_t decoder = iconv_open("UTF-32LE", "WINDOWS-1252");
  ASSERT_NE(decoder, reinterpret_cast<iconv_t>(-1));
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  ASSERT_NE(utf8, nullptr);
  char32_t unicode[256];
  std::map<char32_t, int> byteOf;
  char all[256], back[257];
  for (int b = 0; b < 256; ++b) {
    char in = all[b] = static_cast<char>(b), *inAt = &in;
    char32_t out = 0;
    char* outAt = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool defined = iconv(decoder, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    unicode[b] = defined ? out : static_cast<char32_t>(b);
    byteOf[unicode[b]] = b;
  }
  iconv_close(decoder);
  // The whole code page through both converters at once.
  char16_t wide[257];
  ASSERT_EQ(AnsiToUtf16(all, 256, wide, 257), 256u);
  ASSERT_EQ(Utf16ToAnsi(wide, 256, back, 257), 256u);
  auto inCodePage = [&](wint_t w, int b) { return byteOf.count(w) ? byteOf[w] : b; };
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << b);
    const char c = static_cast<char>(b);
    const wint_t w = unicode[b];
    EXPECT_EQ(AnsiCodePage().unicode[b], unicode[b]);
    EXPECT_EQ(wide[b], unicode[b]);
    EXPECT_EQ(back[b], c);
    EXPECT_EQ(IsCharAlphaA(c), iswalpha_l(w, utf8) != 0);
    EXPECT_EQ(IsCharAlphaNumericA(c), iswalnum_l(w, utf8) != 0 || b == 0xB2 || b == 0xB3 || b == 0xB9);
    EXPECT_EQ(IsCharUpperA(c), iswupper_l(w, utf8) != 0);
    EXPECT_EQ(IsCharLowerA(c), iswlower_l(w, utf8) != 0);
    EXPECT_EQ(static_cast<unsigned char>(CharUpperA(c)), inCodePage(towupper_l(w, utf8), b));
    EXPECT_EQ(static_cast<unsigned char>(CharLowerA(c)), inCodePage(towlower_l(w, utf8), b));
    // Only the code page's own digits are digits to the C runtime too.
    EXPECT_EQ(CrtIsDigit(c), IsCharAlphaNumericA(c) && !IsCharAlphaA(c));
  }
  freelocale(utf8);
}

std::string ToAnsi(const std::u16string& s, std::size_t size = 64) {
  std::string out(size, '\x01');
  std::size_t n = Utf16ToAnsi(s.data(), s.size(), out.data(), size);
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

// ASCII is copied several units at a time: a zero (a character here, not an
// end) or a non-ASCII unit at any place of a run, and a cut at any place.
TEST(CodePage, Utf16ToAnsiAtEveryPlaceOfAsciiRuns) {
  const struct { char16_t unit; char byte; } kOdd[] = {
      {u'\0', '\0'}, {u'\u00e9', '\xe9'}, {u'\u20ac', '\x80'}, {u'\u4e2d', '?'},
      {u'\u0080', '?'}, {u'\u007f', '\x7f'}};  // the code page has no U+0080
  for (std::size_t length = 1; length <= 11; ++length) {
    for (std::size_t at = 0; at < length; ++at) {
      for (const auto& odd : kOdd) {
        std::u16string text(length, u'a');
        std::string expected(length, 'a');
        text[at] = odd.unit;
        expected[at] = odd.byte;
        SCOPED_TRACE(std::to_string(length) + " " + std::to_string(at));
        EXPECT_EQ(ToAnsi(text), expected);
        EXPECT_EQ(ToAnsi(text, at + 1), expected.substr(0, at));
      }
    }
  }
  // UTF-8: a zero stays; a stray continuation or a malformed byte is a "?".
  char out[16];
  EXPECT_EQ(Utf8ToAnsi("a\0\x80\x80z\xff\xc3", 7, out, sizeof out), 7u);
  EXPECT_EQ(std::string(out, 7), std::string("a\0??z??", 7));
}

}  // namespace
}  // namespace zorva
