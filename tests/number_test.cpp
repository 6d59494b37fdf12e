// The number engine: reading against a format, and rendering.
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "intl/settings.h"
#include "intl/string_table.h"
#include "number/number.h"
#include "number/number_internal.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

struct ParseCase {
  NumberRequest request;
  const char* text;
  int verdict;
  double integerPart, fraction;
  int negative, noDigits;
};

void ExpectParse(const ParseCase& c, const IntlSettings& s = Us()) {
  SCOPED_TRACE(c.text);
  NumberParts parts;
  parts.integerPart = 99;  // every parse starts from cleared parts
  EXPECT_EQ(ParseNumber(c.text, c.request, parts, s), c.verdict);
  EXPECT_DOUBLE_EQ(parts.integerPart, c.integerPart);
  EXPECT_DOUBLE_EQ(parts.fraction, c.fraction);
  EXPECT_EQ(parts.negative, c.negative);
  EXPECT_EQ(parts.noDigits, c.noDigits);
}

// Texts read against masks show their parts in the raw form: rows of
// tests/cases/cases.tsv. Here separators and symbols of other settings.
TEST(NumberParse, OtherSeparatorsAndSymbols) {
  const NumberRequest comma{"#.##0,00;(#.##0,00)", "EUR", ',', '.'};
  const NumberRequest spaced{"# ##0", "US$", 0, ' '};
  const ParseCase cases[] = {
      {comma, "1.234,56", 1, 1234, 0.56, 0, 0},
      {comma, "(1.234,56)", 1, 1234, 0.56, 1, 0},
      {comma, "1,5,5", 0, 1, 0.5, 0, 0},
      {comma, "EUR12", 1, 12, 0, 0, 0},
      {comma, "12EUR", 1, 12, 0, 0, 0},  // "E" then "U": no exponent, the rest is not read
      {comma, "12 EUR", 1, 12, 0, 0, 0},
      {spaced, "US$1 234", 1, 1234, 0, 0, 0},
      {spaced, "1 234US$", 1, 1234, 0, 0, 0},
      {spaced, "1 234U", 1, 1234, 0, 0, 0},  // only the symbol's first character is compared
      {spaced, "U", 1, 0, 0, 0, 1},
      {{"0", "", 0, 0}, "1.5", 0, 1, 0, 0, 0},  // no separators: "." is another character
  };
  for (const ParseCase& c : cases) ExpectParse(c);
}

TEST(NumberParse, SignsComeFromTheSettings) {
  IntlSettings s = Us();
  s.sNegativeSign = '~';
  s.sPositiveSign = '*';
  s.sLeftParen = '<';
  s.sRightParen = '>';
  const NumberRequest request{"0.00;<0.00>", "$", '.', ','};
  const ParseCase cases[] = {
      {request, "<12>", 1, 12, 0, 1, 0},   {request, "~12", 1, 12, 0, 1, 0},
      {request, "-12", 0, 12, 0, 0, 0},    {request, "(12)", 0, 12, 0, 0, 0},
      {request, "1.5E*1", 0, 15, 0, 0, 0}, {request, "15E~1", 0, 0, 1.5, 0, 0},
  };
  for (const ParseCase& c : cases) ExpectParse(c, s);
  char section[8];
  SelectSection(section, sizeof section, "0", 1, s);
  EXPECT_STREQ(section, "~0");
}

// The helpers' ordinary answers show in every parse and in the case table;
// here the edges the entry points never reach.
TEST(NumberParse, HelperEdges) {
  EXPECT_EQ(AllowedDecimals("0.00", 0), 0);  // no separator: no decimals
  EXPECT_EQ(TooManyDigits(nullptr, -1, '.'), 0);
  EXPECT_EQ(RoundToPlaces(0.123, 0), 0.123);
  EXPECT_EQ(RoundToPlaces(0.123, -3), 0.123);
  EXPECT_EQ(RoundToPlaces(0, INT_MAX), 0.0);
  EXPECT_TRUE(std::isinf(RoundToPlaces(0.5, INT_MAX)));  // must not spin through 2^31 steps
  EXPECT_EQ(DigitsToDouble(nullptr, 0), 0.0);
  EXPECT_EQ(DigitsToDouble("12345", 3), 123.0);
  EXPECT_TRUE(std::isinf(DigitsToDouble(std::string(400, '9').c_str(), 400)));
}

TEST(NumberParse, LongAndHostileTexts) {
  const NumberRequest request{"#,##0.00;(#,##0.00)", "$", '.', ','};
  NumberParts parts;
  // A megabyte of digits: read whole, beyond the double range.
  const std::string huge(1 << 20, '7');
  EXPECT_EQ(ParseNumber(huge.c_str(), request, parts, Us()), 1);
  EXPECT_TRUE(std::isinf(parts.integerPart));
  // Two thousand decimals: too many for the format, rounded to two.
  const std::string decimals = "1." + std::string(2000, '3');
  EXPECT_EQ(ParseNumber(decimals.c_str(), request, parts, Us()), 0);
  EXPECT_DOUBLE_EQ(parts.fraction, 0.33);
  // Unlimited decimals: the long fraction reads as its nearest double.
  EXPECT_EQ(ParseNumber(decimals.c_str(), NumberRequest{"0.#", "", '.', 0}, parts, Us()), 1);
  EXPECT_DOUBLE_EQ(parts.fraction, 1.0 / 3);
  const std::string spaces = std::string(5000, ' ') + "12" + std::string(5000, ' ') + "$";
  EXPECT_EQ(ParseNumber(spaces.c_str(), request, parts, Us()), 1);
  EXPECT_EQ(parts.integerPart, 12);
  const std::string high(1000, '\xFF');
  EXPECT_EQ(ParseNumber(high.c_str(), request, parts, Us()), 0);
  EXPECT_EQ(parts.noDigits, 1);
  // A mask of a thousand zero decimals allows them all.
  const std::string mask = "0." + std::string(1000, '0');
  EXPECT_EQ(AllowedDecimals(mask.c_str(), '.'), 1000);
  EXPECT_EQ(ParseNumber("1.25", NumberRequest{mask.c_str(), "$", '.', ','}, parts, Us()), 1);
  EXPECT_EQ(parts.fraction, 0.25);
  // Nothing given at all.
  EXPECT_EQ(ParseNumber(nullptr, NumberRequest{}, parts, Us()), 1);
  EXPECT_EQ(ParseNumber("", request, parts, Us()), 1);
  EXPECT_EQ(parts.noDigits, 0);
  EXPECT_EQ(ParseNumber("-1.5", NumberRequest{}, parts, Us()), 0);  // no separator: "." is another character
  EXPECT_EQ(parts.integerPart, 1);
}


NumberParts Parts(double integerPart, double fraction, int negative = 0, int noDigits = 0) {
  NumberParts p;
  p.integerPart = integerPart;
  p.fraction = fraction;
  p.negative = negative;
  p.noDigits = noDigits;
  return p;
}

std::string Format(const char* format, const NumberParts& parts, char decimalSep = '.',
                   char thousandSep = ',', std::size_t size = 256) {
  char out[1025];  // one byte past the largest size asked for
  std::memset(out, 'Z', sizeof out);
  EXPECT_EQ(FormatNumber(out, size, NumberRequest{format, "$", decimalSep, thousandSep}, parts), 1);
  EXPECT_LT(std::strlen(out), size);
  EXPECT_EQ(out[size], 'Z');  // nothing written past the destination
  return out;
}

// Parts that typed values never reach the formatter as, and separators
// other than the settings'; the sections a typed value is rendered with are
// rows of tests/cases/cases.tsv.
TEST(NumberFormat, RendersParts) {
  const struct {
    const char* format;
    NumberParts parts;
    char decimalSep, thousandSep;
    const char* text;
  } cases[] = {
      {"0", Parts(5, 0, 1), '.', ',', "5"},  // one section: the sign is the caller's to add
      {"0.00", Parts(12, 0.3456), '.', ',', "12.34"},  // fraction digits are cut, not rounded
      {"0.0#", Parts(1, 0.25), '.', ',', "1.25"},
      {"0.00", Parts(0, 2.5), '.', ',', "0.50"},  // a fraction above 1 shows its digits after the point
      {"0.00", Parts(0, 0.9999999999999999), '.', ',', "0.00"},
      {"0", Parts(12.5, 0), '.', ',', "13"},
      {"0", Parts(9.5, 0), '.', ',', "10"},  // the carry adds a digit
      {"0;-0;z", Parts(1, 0, 1), '.', ',', "-1"},
      {"", Parts(1, 0.5), '.', ',', ""},
      {"#.##0,00;(#.##0,00)", Parts(1234, 0.5), ',', '.', "1.234,50"},
      {"#.##0,00;(#.##0,00)", Parts(1234, 0.5, 1), ',', '.', "(1.234,50)"},
      {"# ##0,0#", Parts(1234567, 0.125), ',', ' ', "1 234 567,125"},
      {"#,##0.00", Parts(1234, 0.5), ',', '.', "1234,501234"},  // the mask is written with the request's separators
      {"0.0", Parts(12, 0.5), 0, 0, "12.12"},  // no separator: "." is a literal
      {"#,##0", Parts(1234, 0), '.', 0, "1234,1234"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(Format(c.format, c.parts, c.decimalSep, c.thousandSep), c.text);
  }
}

TEST(NumberFormat, LongFormatsAndSmallBuffers) {
  EXPECT_EQ(Format("#,##0.00", Parts(1234567, 0.5), '.', ',', 8), "1,234,5");
  EXPECT_EQ(Format("0", Parts(5, 0), '.', ',', 1), "");
  char none[1] = {'Z'};
  FormatNumber(none, 0, NumberRequest{"0", "", '.', ','}, Parts(5, 0));
  EXPECT_EQ(none[0], 'Z');
  EXPECT_EQ(Format("#,##0", Parts(1234, 0), '.', ',', 5), "1,23");  // one character too many
  const std::string grouped = Format("#,##0", Parts(1e300, 0));
  EXPECT_EQ(grouped.size(), 255u);
  EXPECT_EQ(grouped.substr(0, 12), "1,000,000,00");
  const std::string quoted = "\"" + std::string(300, 'a') + "\"0";
  EXPECT_EQ(Format(quoted.c_str(), Parts(7, 0), '.', ',', 1024),
            std::string(255, 'a') + "7");  // a quoted literal shows at most 255 characters
  const std::string unclosed = "0\"" + std::string(2000, 'q');
  EXPECT_EQ(Format(unclosed.c_str(), Parts(7, 0)), "7" + std::string(254, 'q'));
  const std::string zeros(1000, '0');
  EXPECT_EQ(Format(zeros.c_str(), Parts(42, 0)), std::string(255, '0'));
  std::string skipped;
  for (int i = 0; i < 1000; ++i) skipped += "_x";
  EXPECT_EQ(Format((skipped + "0").c_str(), Parts(42, 0)), "42");
  const std::string high(1000, '\xE9');
  EXPECT_EQ(Format(high.c_str(), Parts(1, 0)), std::string(255, '\xE9'));
}

TEST(NumberFormat, Conversion) {
  const char* currency = "$#,##0.00;($#,##0.00)";
  char out[256];
  NumberConversion conv{"0.#", currency, '.', ',', ',', '.', "$"};
  ConvertNumber(out, sizeof out, "1234.5", conv, Us());
  EXPECT_STREQ(out, "$1234,501234");  // "," is now the point, "." the group mark
  conv = NumberConversion{"0.#", "$#.##0,00;($#.##0,00)", '.', ',', ',', '.', "$"};
  ConvertNumber(out, sizeof out, "-1234.5", conv, Us());
  EXPECT_STREQ(out, "($1.234,50)");
  ConvertNumber(out, sizeof out, nullptr, conv, Us());
  EXPECT_STREQ(out, "$ ,  ");
  char small[8];
  conv = NumberConversion{"0.#", currency, '.', '.', ',', ',', "$"};
  ConvertNumber(small, sizeof small, "1234.5", conv, Us());
  EXPECT_STREQ(small, "$1,234.");
  // A mask longer than any section buffer is honoured whole.
  const std::string mask = std::string(2000, ' ') + std::string(300, '_') + "0" + std::string(2000, 'x');
  ConvertNumber(out, sizeof out, "42", NumberConversion{"0", mask.c_str(), 0, 0, 0, 0, ""}, Us());
  EXPECT_STREQ(out, ("42" + std::string(253, 'x')).c_str());
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

// The integer path for significant digits must give the library's correctly
// rounded digits: exact ties, powers of ten, the ends of its range, and a
// spread of random doubles, at every digit count.
TEST(SignificantDigits, MatchTheLibraryConversion) {
  std::vector<double> values = {0.5,  2.5,    0.125, 1.005, 0.1,   0.3,   1e15,  1e16,   1e17,
                                9.5,  1e-16,  9.999999999999999e-17, 18446744073709549568.0,
                                18446744073709551616.0, 9007199254740993.0, 99999999999999999.0,
                                5e-324, 1.7976931348623157e308, 123456.7890123};
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 160) - 120));
  }
  for (double v : values) {
    for (int count = 1; count <= 17; ++count) {
      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*e", count - 1, v);
      char digits[17];
      int exponent = 0;
      number_detail::SignificantDigits(v, count, digits, exponent);
      std::string got(1, digits[0]);
      if (count > 1) got += "." + std::string(digits + 1, static_cast<std::size_t>(count - 1));
      char tail[16];
      std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
      ASSERT_EQ(got + tail, expected) << count;
    }
  }
}

}  // namespace
}  // namespace zorva
