#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "intl/settings.h"
#include "number/number.h"

namespace zorva {
namespace {

class NumberParse : public ::testing::Test {
 protected:
  IntlSettingsOverride settings_{LoadIntlSettings(MakeSystemLocale("en", "$"))};
};

struct ParseCase {
  const char* text;
  int verdict;
  double integerPart;
  double fraction;
  int negative;
  int noDigits;
};

void ExpectParse(const ParseCase& c, const NumberRequest& request) {
  NumberParts parts;
  parts.integerPart = 99;  // every parse starts from cleared parts
  EXPECT_EQ(ParseNumber(c.text, request, parts), c.verdict);
  EXPECT_DOUBLE_EQ(parts.integerPart, c.integerPart);
  EXPECT_DOUBLE_EQ(parts.fraction, c.fraction);
  EXPECT_EQ(parts.negative, c.negative);
  EXPECT_EQ(parts.noDigits, c.noDigits);
}

// Texts read against a currency format show their parts in the raw form:
// rows of tests/cases/cases.tsv. Here formats and settings no value type has.
TEST_F(NumberParse, DecimalsAllowedByTheFormat) {
  struct Case {
    const char* format;
    ParseCase parse;
  };
  const Case cases[] = {
      {"#,##0", {"12.5", 0, 13, 0, 0, 0}},
      {"#,##0", {"12.4", 0, 12, 0, 0, 0}},
      {"#,##0", {"12.", 1, 12, 0, 0, 0}},
      {"#,##0", {".", 1, 0, 0, 0, 0}},  // no decimals: the separator alone counts as read
      {"#,##0;-#,##0", {"-9.9", 0, 10, 0, 1, 0}},
      {"0.#", {"1.123456789", 1, 1, 0.123456789, 0, 0}},
      {"0.0#", {"0.0000001", 1, 0, 1e-7, 0, 0}},
      {"0.00", {"1.999", 0, 2, 0, 0, 0}},
      {"0.00", {"1.125", 0, 1, 0.13, 0, 0}},
      {"0.000", {"0.9995", 0, 1, 0, 0, 0}},
      {"0;[0]", {"12[", 1, 12, 0, 1, 0}},  // the negative section's own marker
      {"0;[0]", {"[12", 1, 12, 0, 1, 0}},
      {"0;0-", {"12-", 1, 12, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " / " + c.parse.text);
    ExpectParse(c.parse, NumberRequest{c.format, "$", '.', ','});
  }
}

TEST_F(NumberParse, OtherSeparatorsAndSymbols) {
  // Decimal comma with dot grouping.
  const ParseCase comma[] = {
      {"1.234,56", 1, 1234, 0.56, 0, 0},
      {"(1.234,56)", 1, 1234, 0.56, 1, 0},
      {"1,5,5", 0, 1, 0.5, 0, 0},
      {"EUR12", 1, 12, 0, 0, 0},
      {"12EUR", 1, 12, 0, 0, 0},  // "E" then "U": no exponent, the rest is not read
      {"12 EUR", 1, 12, 0, 0, 0},
  };
  for (const ParseCase& c : comma) {
    SCOPED_TRACE(c.text);
    ExpectParse(c, NumberRequest{"#.##0,00;(#.##0,00)", "EUR", ',', '.'});
  }
  const ParseCase symbols[] = {
      {"US$1 234", 1, 1234, 0, 0, 0},
      {"1 234US$", 1, 1234, 0, 0, 0},
      {"1 234U", 1, 1234, 0, 0, 0},  // only the symbol's first character is compared
      {"U", 1, 0, 0, 0, 1},
  };
  for (const ParseCase& c : symbols) {
    SCOPED_TRACE(c.text);
    ExpectParse(c, NumberRequest{"# ##0", "US$", 0, ' '});
  }
  // No separators at all: "." and "," are other characters.
  ExpectParse({"1.5", 0, 1, 0, 0, 0}, NumberRequest{"0", "", 0, 0});
}

TEST_F(NumberParse, SignsComeFromTheSettings) {
  IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  s.sNegativeSign = '~';
  s.sPositiveSign = '*';
  s.sLeftParen = '<';
  s.sRightParen = '>';
  IntlSettingsOverride other(s);
  const NumberRequest request{"0.00;<0.00>", "$", '.', ','};
  ExpectParse({"<12>", 1, 12, 0, 1, 0}, request);
  ExpectParse({"~12", 1, 12, 0, 1, 0}, request);
  ExpectParse({"-12", 0, 12, 0, 0, 0}, request);
  ExpectParse({"(12)", 0, 12, 0, 0, 0}, request);
  ExpectParse({"1.5E*1", 0, 15, 0, 0, 0}, request);
  ExpectParse({"15E~1", 0, 0, 1.5, 0, 0}, request);
  EXPECT_EQ(NegativeMarkerOf("0"), '~');
}

// The helpers' ordinary answers show in every parse above; here their edges.
TEST_F(NumberParse, HelperEdges) {
  EXPECT_EQ(NegativeMarkerOf("0;[0]"), '[');  // a section's own marker
  EXPECT_EQ(NegativeMarkerOf(""), '-');
  EXPECT_EQ(AllowedDecimals("0.00", 0), 0);  // no separator: no decimals
  EXPECT_EQ(AllowedDecimals("0;0.00", '.'), 0);  // only the first section counts
  EXPECT_EQ(TooManyDigits("$1,234.50", 5, '.'), 0);  // trailing zeros after the point count
  EXPECT_EQ(TooManyDigits("$1,234.50", 4, '.'), 1);
  EXPECT_EQ(TooManyDigits(nullptr, -1, '.'), 0);
}

TEST_F(NumberParse, RoundToPlaces) {
  EXPECT_DOUBLE_EQ(RoundToPlaces(0.125, 2), 0.13);
  EXPECT_EQ(RoundToPlaces(0.996, 2), 1.0);
  EXPECT_EQ(RoundToPlaces(0.346, 2), 0.35000000000000003);  // the products are part of the answer
  EXPECT_EQ(RoundToPlaces(0.45, 1), 0.5);
  EXPECT_EQ(RoundToPlaces(0.123, 0), 0.123);
  EXPECT_EQ(RoundToPlaces(0.123, -3), 0.123);
  EXPECT_EQ(RoundToPlaces(0, INT_MAX), 0.0);
  EXPECT_TRUE(std::isinf(RoundToPlaces(0.5, INT_MAX)));  // must not spin through 2^31 steps
}

TEST_F(NumberParse, DigitsToDouble) {
  EXPECT_EQ(DigitsToDouble("1,234,567"), 1234567.0);
  EXPECT_EQ(DigitsToDouble(""), 0.0);
  EXPECT_EQ(DigitsToDouble(nullptr), 0.0);
  EXPECT_EQ(DigitsToDouble("x-y"), 0.0);
  EXPECT_EQ(DigitsToDouble("999999999999999"), 999999999999999.0);
  EXPECT_EQ(DigitsToDouble("123456789012345"), 123456789012345.0);
  EXPECT_EQ(DigitsToDouble("000000000000000000000042"), 42.0);
  // Longer runs give the nearest double.
  EXPECT_EQ(DigitsToDouble("12345678901234567890"), 12345678901234567890.0);
  EXPECT_EQ(DigitsToDouble("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(DigitsToDouble("12345", 3), 123.0);
  EXPECT_TRUE(std::isinf(DigitsToDouble(std::string(400, '9').c_str())));
}

TEST_F(NumberParse, LongAndHostileTexts) {
  const NumberRequest request{"#,##0.00;(#,##0.00)", "$", '.', ','};
  NumberParts parts;
  // A megabyte of digits: read whole, beyond the double range.
  const std::string huge(1 << 20, '7');
  EXPECT_EQ(ParseNumber(huge.c_str(), request, parts), 1);
  EXPECT_TRUE(std::isinf(parts.integerPart));
  // Two thousand decimals: too many for the format, rounded to two.
  const std::string decimals = "1." + std::string(2000, '3');
  EXPECT_EQ(ParseNumber(decimals.c_str(), request, parts), 0);
  EXPECT_DOUBLE_EQ(parts.fraction, 0.33);
  // Unlimited decimals: the long fraction reads as its nearest double.
  EXPECT_EQ(ParseNumber(decimals.c_str(), NumberRequest{"0.#", "", '.', 0}, parts), 1);
  EXPECT_DOUBLE_EQ(parts.fraction, 1.0 / 3);
  const std::string spaces = std::string(5000, ' ') + "12" + std::string(5000, ' ') + "$";
  EXPECT_EQ(ParseNumber(spaces.c_str(), request, parts), 1);
  EXPECT_EQ(parts.integerPart, 12);
  const std::string high(1000, '\xFF');
  EXPECT_EQ(ParseNumber(high.c_str(), request, parts), 0);
  EXPECT_EQ(parts.noDigits, 1);
  // A mask of a thousand zero decimals allows them all.
  const std::string mask = "0." + std::string(1000, '0');
  EXPECT_EQ(AllowedDecimals(mask.c_str(), '.'), 1000);
  EXPECT_EQ(ParseNumber("1.25", NumberRequest{mask.c_str(), "$", '.', ','}, parts), 1);
  EXPECT_EQ(parts.fraction, 0.25);
  // Nothing given at all.
  EXPECT_EQ(ParseNumber(nullptr, NumberRequest{}, parts), 1);
  EXPECT_EQ(ParseNumber("", request, parts), 1);
  EXPECT_EQ(parts.noDigits, 0);
  EXPECT_EQ(ParseNumber("-1.5", NumberRequest{}, parts), 0);  // no separator: "." is another character
  EXPECT_EQ(parts.integerPart, 1);
}

}  // namespace
}  // namespace zorva
