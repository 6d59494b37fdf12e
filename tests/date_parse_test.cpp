// Reading dates: separators, tokens, month names, defaults and the shape check.
#include <algorithm>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

struct ParseCase {
  const char* value;
  const char* mask;
  bool strict;
  int day, month, year, empty;
};

void ExpectParses(const ParseCase& c) {
  SCOPED_TRACE("\"" + std::string(c.value ? c.value : "(null)").substr(0, 40) + "\" under " +
               std::string(c.mask).substr(0, 40));
  DateParts p{};
  ParseDate(c.value, c.mask, p, c.strict);
  EXPECT_EQ(p.day, c.day);
  EXPECT_EQ(p.month, c.month);
  EXPECT_EQ(p.year, c.year);
  EXPECT_EQ(p.empty, c.empty);
}

// The parts of typed dates show in their raw forms: rows of
// tests/cases/cases.tsv. Here what the raw form does not show: the empty
// flag, the defaults of unread parts, strict month names.
TEST(DateParse, PlaceholdersAndEmpty) {
  const ParseCase cases[] = {
      {"__/__/____", "mm/dd/yyyy", false, -1, -1, -1, 1},
      {"__/__/__", "mm/dd/yy", false, -1, -1, -1, 1},
      {"__/__", "mm/dd/yyyy", false, -1, -1, 0, 0},
      {"__", "mm", false, 1, -1, 1900, 1},
      {"", "mm/dd/yyyy", false, -2, -2, -2, 1},
      {nullptr, "mm/dd/yyyy", false, -2, -2, -2, 1},
      {"/ - ,", "mm/dd/yyyy", false, -2, -2, -2, 1},
      // No date letter: nothing is assigned, so the value reads as empty.
      {"12/25/2001", "abc", false, 1, 1, 1900, 1},
  };
  for (const ParseCase& c : cases) ExpectParses(c);
}

TEST(DateParse, MonthNames) {
  const ParseCase cases[] = {
      {"December 4, 2001", "mmmm d, yyyy", true, 4, 12, 2001, 0},
      {"Dec/25/2001", "mmm/dd/yyyy", true, 25, 0, 2001, 0},
      {"2001-Dec-04", "yyyy-mm-dd", true, 4, 0, 2001, 0},
      {"2001-december-04", "yyyy-mm-dd", true, 4, 12, 2001, 0},
  };
  for (const ParseCase& c : cases) ExpectParses(c);

  struct NameCase { const char* text; bool strict; int month; };
  const NameCase names[] = {{nullptr, false, 0}, {"Dec", false, 12}, {"dec", false, 12},
                            {"December", false, 12}, {"Decxyz", false, 12}, {"De", false, -1},
                            {"", false, -1}, {"Ma", false, -1}, {"May", true, 5},
                            {"MAYDAY", true, 5}, {"December", true, 12}, {"Dec", true, -1},
                            {"Decembe", true, -1}, {"June 4", true, 6}, {"Junk", false, 6}};
  for (const NameCase& n : names) {
    EXPECT_EQ(MatchMonthName(n.text, n.strict), n.month) << (n.text ? n.text : "(null)");
  }
}

TEST(DateParse, TokensAfterTheFifteenthAreIgnored) {
  const std::string mask = Repeat("d/", 15) + "dd";  // 16 day runs, the last of two letters
  std::string value = "1";
  for (int i = 2; i <= 16; ++i) value += "/" + std::to_string(i);
  ExpectParses({value.c_str(), mask.c_str(), false, 0, 1, 1900, 0});
  const std::string fifteen = Repeat("d/", 14) + "dd";
  ExpectParses({value.c_str(), fifteen.c_str(), false, 15, 1, 1900, 0});
}

TEST(DateParse, LongAndHostileInputs) {
  const std::string longMask(1000, 'd');
  ExpectParses({"7", longMask.c_str(), false, 7, 1, 1900, 0});
  const std::string manyRuns = Repeat("m/d/", 250);
  ExpectParses({"3/4/5/6", manyRuns.c_str(), false, 6, 0, 1900, 0});
  const std::string letters(1 << 20, 'a');
  ExpectParses({letters.c_str(), "mm/dd/yyyy", false, 0, 0, 0, 0});
  const std::string digits(1 << 20, '7');
  ExpectParses({digits.c_str(), "mm/dd/yyyy", false, 0, 0, 0, 0});
  const std::string slashes(1 << 20, '/');
  ExpectParses({slashes.c_str(), "mm/dd/yyyy", false, -2, -2, -2, 1});
  ExpectParses({"\xE9t\xE9/25/2001", "mm/dd/yyyy", false, 25, 0, 2001, 0});
  ExpectParses({"\x80\xFF/25/2001", "mm/dd/yyyy", false, 25, 0, 2001, 0});
}

TEST(DateShape, YearDigitsAgreeWithTheMask) {
  struct Case { const char* value; const char* mask; int ok; };
  const std::string longYear(1000, 'y');
  const std::string longDigits(1000, '1');
  // Typed dates are rows of tests/cases/cases.tsv; here shapes that other
  // checks refuse first, and no value at all.
  const Case cases[] = {
      {"12/25/2001", "mm/dd/yyyy", 1}, {"", "mm/dd/yyyy", 1},
      {nullptr, "mm/dd/yyyy", 1},      {"1225/2001", "mm/dd/yyyy", 1},
      {"12x25x2001", "mm/dd/yyyy", 1}, {"12", "mm/dd/yyyy", 1},
      {"1234", longYear.c_str(), 0},   {longDigits.c_str(), "yyyy", 1},
      {longDigits.c_str(), longYear.c_str(), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckDateShape(c.value, c.mask), c.ok) << (c.value ? c.value : "(null)") << " under " << c.mask;
  }
}

// A translated table: token letters, abbreviations longer than three
// characters (cut to three in the settings) and accented names.
class TranslatedDates : public ::testing::Test {
 protected:
  static constexpr StringEntry kFrench[] = {
      {2043, "jJmMaA"},      {2300, "janvier"}, {2305, "juin"},      {2306, "juillet"},
      {2307, "ao\xFBt"},     {2311, "d\xE9" "cembre"}, {2800, "janv."}, {2805, "juin"},
      {2806, "juil."},       {2807, "ao\xFBt"}, {2811, "d\xE9" "c."}};
  StringTableOverride strings_{kFrench, std::size(kFrench)};
  IntlSettingsOverride settings_{LoadIntlSettings(MakeSystemLocale("fr", "\x80"))};
};

TEST_F(TranslatedDates, ReadsTranslatedLettersAndNames) {
  const ParseCase cases[] = {
      {"25.12.2001", "jj.mm.aaaa", false, 25, 12, 2001, 0},
      {"4 juillet 2001", "j mmmm aaaa", false, 4, 6, 2001, 0},  // "jui" is June's first
      {"4 juillet 2001", "j mmmm aaaa", true, 4, 0, 2001, 0},
      {"4 juin 2001", "j mmmm aaaa", true, 4, 6, 2001, 0},
      {"5 AO\xDBT 2001", "j mmmm aaaa", true, 5, 8, 2001, 0},
      {"5 d\xE9" "c. 2001", "j mmm aaaa", false, 5, 12, 2001, 0},
      {"12/25/2001", "mm/dd/yyyy", false, 1, 12, 1900, 0},  // d and y are literals here
  };
  for (const ParseCase& c : cases) ExpectParses(c);
}

TEST(DateParse, UnterminatedAbbreviationIsReadWithinItsEntry) {
  IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  const char mai[4] = {'M', 'a', 'i', 'x'};
  std::copy(mai, mai + 4, s.MonthAbbrev[5]);
  IntlSettingsOverride o(s);
  EXPECT_EQ(MatchMonthName("Maixe", false), 5);
  EXPECT_EQ(MatchMonthName("Mai", false), -1);
}

}  // namespace
}  // namespace zorva
