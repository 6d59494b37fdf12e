// The number engine where the case table cannot reach it: separators and
// signs other than the settings', parts no typed value gives, texts of a
// megabyte, calls that must stay off the heap, and the digits of doubles
// (the engine's, and the portable conversions of the WebAssembly build)
// against the C++ library's. Typed values are rows of tests/cases/cases.tsv.
#include <atomic>
#include <bit>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"
#include "platform/float_text.h"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
void Count() {
  if (g_counting.load()) ++g_allocations;
}
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's hook interface (its header does not ship with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, std::size_t), void (*free_hook)(const volatile void*));
extern "C" {
static void CountMalloc(const volatile void*, std::size_t) { Count(); }
static void IgnoreFree(const volatile void*) {}
}
#endif

// Kept out of line: inlined at a call site, a new paired with free() looks
// mismatched to the optimiser's checks (-Wmismatched-new-delete at -O2 -g).
[[gnu::noinline]] void* operator new(std::size_t size) {
  Count();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

// The verdict and parts of a parse in one text: "1 1234+0.56-" (the sign
// last, "?" when no digit was read).
std::string Parse(const char* text, const NumberRequest& request, const IntlSettings& s = Us()) {
  NumberParts p;
  p.integerPart = 99;  // every parse starts from cleared parts
  const int verdict = ParseNumber(text, request, p, s);
  char out[96];
  std::snprintf(out, sizeof out, "%d %.17g+%.17g%s%s", verdict, p.integerPart, p.fraction,
                p.negative ? "-" : "", p.noDigits ? "?" : "");
  return out;
}

NumberParts Parts(double integerPart, double fraction, int negative = 0) {
  return {.integerPart = integerPart, .fraction = fraction, .negative = negative};
}

std::string Format(const char* format, const NumberParts& parts, char point = '.', char group = ',',
                   std::size_t size = 256) {
  char out[257];
  std::memset(out, 'Z', sizeof out);
  EXPECT_EQ(FormatNumber(out, size, NumberRequest{format, "$", point, group}, parts), 1);
  EXPECT_EQ(out[size], 'Z');  // nothing written past the destination
  return out;
}

TEST(NumberParse, OtherSeparatorsSymbolsAndEdges) {
  const NumberRequest comma{"#.##0,00;(#.##0,00)", "EUR", ',', '.'};
  const NumberRequest spaced{"# ##0", "US$", 0, ' '};
  EXPECT_EQ(Parse("(1.234,56)", comma), "1 1234+0.56000000000000005-");
  EXPECT_EQ(Parse("1,5,5", comma), "0 1+0.5");
  EXPECT_EQ(Parse("12EUR", comma), "1 12+0");  // "E" then "U": no exponent, the rest is not read
  EXPECT_EQ(Parse("1 234U", spaced), "1 1234+0");  // only the symbol's first character is compared
  EXPECT_EQ(Parse("U", spaced), "1 0+0?");
  EXPECT_EQ(Parse("1.5", {"0", "", 0, 0}), "0 1+0");  // no separators: "." is another character
  IntlSettings s = Us();
  s.sNegativeSign = '~';
  s.sPositiveSign = '*';
  s.sLeftParen = '<';
  s.sRightParen = '>';
  const NumberRequest request{"0.00;<0.00>", "$", '.', ','};
  EXPECT_EQ(Parse("<12>", request, s), "1 12+0-");
  EXPECT_EQ(Parse("(12)", request, s), "0 12+0");
  EXPECT_EQ(Parse("1.5E*1", request, s), "0 15+0");
  EXPECT_EQ(Parse("15E~1", request, s), "0 0+1.5");
  char section[8];
  SelectSection(section, sizeof section, "0", 1, s);
  EXPECT_STREQ(section, "~0");
  // Texts of a megabyte, no text, no format, and the helpers' edges.
  EXPECT_EQ(Parse(std::string(1 << 20, '7').c_str(), {"#,##0.00;(#,##0.00)", "$", '.', ','}), "1 inf+0");
  EXPECT_EQ(Parse(nullptr, NumberRequest{}), "1 0+0");
  EXPECT_EQ(Parse("-1.5", NumberRequest{}), "0 1+0-");
  EXPECT_EQ(AllowedDecimals("0.00", 0), 0);  // no separator: no decimals
  EXPECT_EQ(TooManyDigits(nullptr, -1, '.'), 0);
  EXPECT_EQ(RoundToPlaces(0.123, -3), 0.123);
  EXPECT_TRUE(std::isinf(RoundToPlaces(0.5, INT_MAX)));  // must not spin through 2^31 steps
  EXPECT_EQ(DigitsToDouble("12345", 3), 123.0);
}

// The usual entered text is read in one pass that keeps its whole digits as
// written, which the raw answer copies: up to fifteen digits, up to the
// format's places, a lone zero kept as one digit. A fault that declines
// here sends the text the general way, to the same verdict, so it shows
// only in what is kept.
TEST(NumberParse, UsualShapeKeepsItsWholeDigits) {
  number_detail::NumberReader reader;
  number_detail::PrepareNumberReader(reader, NumberRequest{"$#,##0.00;($#,##0.00)", "$", '.', ','}, Us());
  const struct { const char* text; const char* digits; } cases[] = {
      {"($123,456,789,012,345.50)", "123456789012345"}, {"$0.5", "0"}, {"007", "7"},
      {"-1,234.05", "1234"}, {"1234567890123456", nullptr}};
  for (const auto& c : cases) {
    NumberParts parts;
    number_detail::WholeText whole;
    ASSERT_GE(number_detail::ReadNumber(reader, c.text, std::strlen(c.text), parts, &whole), 0) << c.text;
    if (!c.digits) {
      EXPECT_EQ(whole.count, -1) << c.text;  // sixteen digits: the general way's
      continue;
    }
    ASSERT_GT(whole.count, 0) << c.text;
    EXPECT_EQ(std::string(whole.digits + whole.first, static_cast<std::size_t>(whole.count)), c.digits);
  }
}

// Parts no typed value gives, and separators other than the settings'.
TEST(NumberFormat, RendersParts) {
  EXPECT_EQ(Format("0", Parts(5, 0, 1)), "5");  // one section: the sign is the caller's to add
  EXPECT_EQ(Format("0.00", Parts(12, 0.3456)), "12.34");  // fraction digits are cut, not rounded
  EXPECT_EQ(Format("0.00", Parts(0, 2.5)), "0.50");  // a fraction above 1 shows its digits after the point
  EXPECT_EQ(Format("0", Parts(12.5, 0)), "13");
  EXPECT_EQ(Format("0", Parts(9.5, 0)), "10");  // the carry adds a digit
  EXPECT_EQ(Format("#.##0,00;(#.##0,00)", Parts(1234, 0.5, 1), ',', '.'), "(1.234,50)");
  EXPECT_EQ(Format("# ##0,0#", Parts(1234567, 0.125), ',', ' '), "1 234 567,125");
  EXPECT_EQ(Format("#,##0.00", Parts(1234, 0.5), ',', '.'), "1234,501234");  // the request's separators
  EXPECT_EQ(Format("0.0", Parts(12, 0.5), 0, 0), "12.12");  // no separator: "." is a literal
  EXPECT_EQ(Format("#,##0.00", Parts(1234567, 0.5), '.', ',', 8), "1,234,5");
  EXPECT_EQ(Format("#,##0", Parts(1234, 0), '.', ',', 5), "1,23");
  EXPECT_EQ(Format("0", Parts(5, 0), '.', ',', 1), "");
  char none[1] = {'Z'};
  FormatNumber(none, 0, NumberRequest{"0", "", '.', ','}, Parts(5, 0));
  EXPECT_EQ(none[0], 'Z');
  char out[256];
  NumberConversion conv{"0.#", "$#.##0,00;($#.##0,00)", '.', ',', ',', '.', "$"};
  ConvertNumber(out, sizeof out, "-1234.5", conv, Us());
  EXPECT_STREQ(out, "($1.234,50)");
  ConvertNumber(out, sizeof out, nullptr, conv, Us());
  EXPECT_STREQ(out, "$ ,  ");
}

// Raw whole numbers under a plain run are laid out from their digits, never
// falling back for the usual ones, and as the general conversion renders them.
TEST(NumberFormat, WholeRunsLaidOutFromDigits) {
  for (const char* format : {"#,##0", "000,000", "0"}) {
    const NumberConversion conversion{"0", format, '.', '.', ',', ',', "$"};
    const std::uint64_t key = WholeRunKey(format, '.', ',');
    for (const char* text : {"-1234567", "42", "-0", "000123456789012"}) {
      char direct[300], general[300];
      const int n = ConvertRawWhole(direct, sizeof direct, text, std::strlen(text), conversion, key, Us());
      ASSERT_GE(n, 0) << format << " " << text;
      ConvertNumber(general, sizeof general, text, conversion, Us());
      EXPECT_EQ(std::string(direct, static_cast<std::size_t>(n)), general) << format << " " << text;
    }
  }
}

// Up to 15 fraction digits as read are shown without converting the double
// back: the answer must be the one the double's own digits give.
TEST(NumberFormat, ReadFractionDigitsShowAsTheirDouble) {
  std::mt19937_64 random(15);
  for (int i = 0; i < 20000; ++i) {
    std::string text = "0.";
    const int places = 1 + static_cast<int>(random() % 15);
    // Any digits, and runs of nines, zeros and fives that sit near a rounding.
    const std::string alphabet = i % 4 == 0 ? "09" : i % 4 == 1 ? "05" : "0123456789";
    for (int k = 0; k < places; ++k) text += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(text);
    NumberParts read;
    ParseNumber(text.c_str(), NumberRequest{"0.###############", "$", '.', ','}, read, Us());
    const NumberParts value = Parts(read.integerPart, read.fraction);  // no digits kept
    for (const char* format : {"0.000000000000000", "0.###############", "#,##0.00", "0.0#####"}) {
      char out[256];
      ConvertNumber(out, sizeof out, text.c_str(),
                    NumberConversion{"0.###############", format, '.', '.', ',', ',', "$"}, Us());
      EXPECT_EQ(out, Format(format, value)) << format;
    }
  }
}

// Both digit paths, the engine's significant digits and the portable
// scientific text (the WebAssembly build's), must give the library's
// correctly rounded digits: exact ties, powers of ten, the ends of the range,
// and spreads of random doubles, at every digit count.
void ExpectLibraryDigits(double v, int count) {
  char expected[64], got[64], digits[17];
  std::snprintf(expected, sizeof expected, "%.*e", count - 1, v);
  ASSERT_EQ(std::string(got, ScientificTextPortable(got, got + sizeof got, v, count - 1)),
            expected) << count;
  if (count > 17) return;
  int exponent = 0;
  number_detail::SignificantDigits(v, count, digits, exponent);
  std::snprintf(got, sizeof got, "%c%s%.*se%+03d", digits[0], count > 1 ? "." : "", count - 1, digits + 1,
                exponent);
  ASSERT_STREQ(got, expected) << count;
}

TEST(DoubleDigits, MatchTheLibraryConversion) {
  std::vector<double> values = {0.5,  2.5,    0.125, 1.005, 0.1,   0.3,   1e15,  1e16,   1e17, 1e22, 1e-7,
                                9.5,  1e-16,  9.999999999999999e-17, 18446744073709549568.0, 1234.5, 12345.678,
                                18446744073709551616.0, 9007199254740993.0, 99999999999999999.0, 99999999999.0,
                                5e-324, 1.7976931348623157e308, 123456.7890123, 9999.0, 123456789012345678.0,
                                9.9999999999999995e16, std::ldexp(1.0, -25) /* a tie at 17 digits: to even */,
                                std::ldexp(3.0, -26), 4503599627370497.5, 0.0018, 1.5e-6, DBL_MIN};
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 160) - 120));
  }
  for (double v : values) {
    for (int count = 1; count <= 18; ++count) ExpectLibraryDigits(v, count);
  }
  random.seed(42);
  for (int i = 0; i < 200000; ++i) {
    // Any bit pattern of a positive finite double, and decimal-looking values.
    const double v = std::bit_cast<double>(random() >> 1);
    if (std::isfinite(v)) ExpectLibraryDigits(v, 17);
    ExpectLibraryDigits(static_cast<double>(random() % 100000000000) / std::pow(10.0, random() % 12), 17);
  }
}

TEST(DoubleDigits, PortableReadMatchesTheLibrary) {
  const auto expectSameDouble = [](const std::string& text) {
    double portable = -1, library = -1;
    const auto a = ReadDoublePortable(text.data(), text.data() + text.size(), portable);
    ASSERT_EQ(a, std::from_chars(text.data(), text.data() + text.size(), library).ec) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(portable), std::bit_cast<std::uint64_t>(library)) << text;
  };
  for (const char* text : {"12345e-1", "1e22", "1e23", "123456789012345e-22", "1234567890123456e-3",
                           "9007199254740993e0", "1e-400", "1e400", "17976931348623159e292",
                           "2e-324", "3e-324", "0e5", "1", "5e-1"}) {
    expectSameDouble(text);
  }
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    std::string digits = std::to_string(random() % 1000000000000000000ull);
    digits.resize(1 + random() % digits.size());
    expectSameDouble(digits + "e" + std::to_string(static_cast<int>(random() % 80) - 40));
  }
}

// Every operator new and, under the sanitizers, every malloc is counted.
TEST(NumberAllocation, ParseAndFormatStayOffTheHeap) {
  const IntlSettings& s = Us();
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree);
#endif
  g_counting = true;
  int* volatile probe = new int(1);  // the counter itself must see an allocation
  delete probe;
  g_counting = false;
  ASSERT_GT(g_allocations.exchange(0), 0);
  g_counting = true;
  const char* currency = "$#,##0.00;($#,##0.00)";
  char out[256];
  NumberParts parts;
  for (const char* text : {"($1,234.50)", "1.5E+3", "12.346", "1.0049999999999999999999999",
                           "123456789012345678901234567890", "abc"}) {
    ParseNumber(text, NumberRequest{currency, "$", '.', ','}, parts, s);
    ParseNumber(text, NumberRequest{"0.#", "$", '.', ','}, parts, s);
    FormatNumber(out, sizeof out, NumberRequest{currency, "$", '.', ','}, parts);
    ConvertNumber(out, sizeof out, text, NumberConversion{"0.#", currency, '.', '.', ',', ',', "$"}, s);
  }
  SelectSection(out, sizeof out, currency, 1, s);
  TooManyDigits("1234.5678", 7, '.');
  g_counting = false;
  EXPECT_EQ(g_allocations.load(), 0);
}

}  // namespace
}  // namespace zorva
