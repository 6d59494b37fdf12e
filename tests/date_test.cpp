// The date engine: reading, the shape check, rendering, the calendar.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "date/calendar.h"
#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "date/int_text.h"
#include "intl/settings.h"
#include "intl/string_table.h"

namespace zorva {
namespace {

// Reading dates: tokens, month names, defaults and the shape check.
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

// Rendering dates, and the raw and formatted values built on it.
std::string Format(const char* mask, const DateParts& date, std::size_t size = 256) {
  char out[256];
  FormatDate(out, size, mask, date);
  return out;
}

constexpr DateParts kDec4 = {4, 12, 2001, 0};  // a Tuesday

// Every kind of run, typed from a raw value, is rows of tests/cases/cases.tsv;
// here parts the raw form cannot carry.
TEST(DateFormat, UnusablePartsRenderPlaceholders) {
  struct Case { const char* mask; DateParts date; const char* text; };
  const char* const all = "d dd ddd dddd ddddd m mm mmm mmmm mmmmm y yy yyyy";
  const Case cases[] = {
      {all, {-2, -2, -2, 1}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {all, {4, 12, 2001, 1}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {all, {-1, -1, -1, 0}, "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____"},
      {"mm/dd/yyyy", {-1, 12, 2001, 0}, "12/__/2001"},
      {"yyyy|yy", {5, 12, 0, 0}, "0000|00"},
      {"yy", {5, 12, 2078, 0}, "78"},
      {"ddd", {1, 1, -1, 0}, "Mon"},  // a missing year counts no days
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.mask, c.date), c.text) << c.mask;

  const std::string name = Format("dddd", {4, 13, 2001, 0});
  const char* const week[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  EXPECT_NE(std::find(std::begin(week), std::end(week), name), std::end(week)) << name;
}

TEST(DateFormat, CutAtTheEndOfTheBuffer) {
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 11), "12/04/2001");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 10), "12/04/200");
  EXPECT_EQ(Format("dddd", kDec4, 5), "Tues");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 1), "");
  char untouched[2] = {'x', 'x'};
  FormatDate(untouched, 0, "mm", kDec4);
  EXPECT_EQ(untouched[0], 'x');

  std::string longMask(1000, 'x');
  EXPECT_EQ(Format(longMask.c_str(), kDec4), std::string(255, 'x'));
  std::string names;
  for (int i = 0; i < 100; ++i) names += "dddd ";
  std::string expected;
  for (int i = 0; i < 100; ++i) expected += "Tuesday ";
  EXPECT_EQ(Format(names.c_str(), kDec4), expected.substr(0, 255));
}

// Typed and raw dates under a mask are rows of tests/cases/cases.tsv; here
// what the entry points cannot pass: no value, no mask or an empty one.
TEST(DateRawValue, WithoutAMaskOrValue) {
  struct Case { const char* value; const char* mask; const char* raw; };
  const Case cases[] = {
      {"1/5/79", nullptr, "1979-01-05"}, {"1/5/79", "", "1979-01-05"}, {nullptr, "mm/dd/yyyy", ""},
  };
  for (const Case& c : cases) {
    char out[256];
    MakeDateRawValue(out, sizeof out, c.value, c.mask);
    EXPECT_STREQ(out, c.raw) << (c.value ? c.value : "(null)");
  }
}

TEST(DateFormattedValue, WithoutAMaskOrValue) {
  char out[256];
  MakeDateFormattedValue(out, sizeof out, "2001-12-04", nullptr);
  EXPECT_STREQ(out, "12/04/01");
  MakeDateFormattedValue(out, sizeof out, "", "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  MakeDateFormattedValue(out, sizeof out, nullptr, "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  ConvertDate(out, sizeof out, "2001-12-04", nullptr, "mm/dd/yyyy");
  EXPECT_STREQ(out, "__/__/____");
  ConvertDate(out, sizeof out, "2001-12-04", "yyyy-mm-dd", nullptr);
  EXPECT_STREQ(out, "");
}

class TranslatedDateNames : public ::testing::Test {
 protected:
  static constexpr StringEntry kFrench[] = {
      {1214, "aaaa-mm-jj"}, {2043, "jJmMaA"},      {2311, "d\xE9" "cembre"},
      {2402, "mardi"},      {2702, "mar."},        {2811, "d\xE9" "c."}};
  StringTableOverride strings_{kFrench, std::size(kFrench)};
  IntlSettingsOverride settings_{LoadIntlSettings(MakeSystemLocale("fr", "\x80"))};
};

TEST_F(TranslatedDateNames, NamesAndLettersComeFromTheTable) {
  EXPECT_EQ(Format("jjjj j mmmm aaaa", kDec4), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Format("jjj j mmm aa", kDec4), "mar. 4 d\xE9" "c. 01");
  EXPECT_EQ(Format("dd/yy", kDec4), "dd/yy");
  char out[256];
  MakeDateFormattedValue(out, sizeof out, "2001-d\xE9" "cembre-04", "jjjj j mmmm aaaa");
  EXPECT_STREQ(out, "mardi 4 d\xE9" "cembre 2001");
  MakeDateRawValue(out, sizeof out, "4.d\xE9" "c..2001", "j.mmm.aaaa");
  EXPECT_STREQ(out, "2001-12-04");
}

// Calendar rules and the decimal conversions shared with the time engine.
// Leap years, month lengths, weekdays and the year pivot of typed dates are
// rows of tests/cases/cases.tsv; here parts a typed date never has.
TEST(DateCalendar, PartsNoTypedDateHas) {
  EXPECT_EQ(IsLeapYear(0), true);
  EXPECT_EQ(IsLeapYear(-100), false);
  EXPECT_EQ(IsValidDate({-1, 12, 2001, 0}), 0);
  EXPECT_EQ(IsValidDate({-2, -7, 0, 1}), 1);  // an empty date is valid whatever its parts
  EXPECT_EQ(WeekdayOf({1, 1, -1, 0}), 1);     // a missing year counts no days: a Monday
  EXPECT_EQ(WidenTwoDigitYear(-1, false), -1);
  EXPECT_EQ(WidenTwoDigitYear(5, true), 5);
}

TEST(DateCalendar, WeekdaysAgreeWithChronoOverFourCenturies) {
  using namespace std::chrono;
  for (sys_days d = sys_days{year{1900} / January / 1}; d <= sys_days{year{2300} / December / 31};
       d += days{1}) {
    const year_month_day ymd{d};
    const DateParts parts{static_cast<std::int32_t>(static_cast<unsigned>(ymd.day())),
                          static_cast<std::int32_t>(static_cast<unsigned>(ymd.month())),
                          static_cast<int>(ymd.year()), 0};
    ASSERT_EQ(WeekdayOf(parts), static_cast<int>(weekday{d}.c_encoding()))
        << parts.day << "/" << parts.month << "/" << parts.year;
  }
}

TEST(DateCalendar, WeekdayStaysInRangeForImpossibleParts) {
  const DateParts cases[] = {{1, 0, 2001, 0}, {1, 13, 2001, 0}, {1, 2147483647, 9999, 0},
                             {2147483647, 12, 2147483647, 0}, {-5, -5, -5, 0}};
  for (const DateParts& d : cases) {
    const int w = WeekdayOf(d);
    EXPECT_TRUE(w >= 0 && w <= 6) << w;
  }
}

TEST(DateIntText, ParseSignedInt) {
  struct Case { const char* text; std::int32_t value; };
  const Case cases[] = {{"", 0}, {"-", 0}, {"42", 42}, {"-42", -42}, {"1x3", 103},
                        {"0099", 99}, {"x", 0}, {"9999", 9999},
                        {"1\xb2", 12}, {"\xb3\xb9", 31}};  // superscripts count as their digits
  for (const Case& c : cases) EXPECT_EQ(ParseSignedInt(c.text), c.value) << c.text;
  EXPECT_EQ(ParseSignedInt("12/25", 2), 12);
  EXPECT_EQ(ParseSignedInt(nullptr), 0);
}

TEST(DateIntText, FormatPaddedInt) {
  struct Case { std::int32_t value; int width; const char* text; };
  const Case cases[] = {{5, 2, "05"}, {5, 4, "0005"}, {5, 1, "5"}, {5, 0, "5"},
                        {2001, 2, "2001"}, {0, 2, "00"}, {0, 0, "0"}, {-5, 2, "-05"},
                        {-2147483647 - 1, 0, "-2147483648"}};
  for (const Case& c : cases) {
    char out[32];
    FormatPaddedInt(out, sizeof out, c.value, c.width);
    EXPECT_STREQ(out, c.text) << c.value << " width " << c.width;
  }
  char small[3] = {'x', 'x', 'x'};
  EXPECT_EQ(FormatPaddedInt(small, sizeof small, 2001, 4), 2u);
  EXPECT_STREQ(small, "20");  // cut at the buffer, still terminated
}

}  // namespace
}  // namespace zorva
