// The date engine where the entry points cannot reach it: parts of a parse
// that no raw form shows, no value or mask at all, buffer cuts, translated
// tables and parts no typed date has. Typed dates are rows of
// tests/cases/cases.tsv.
#include <chrono>
#include <cstdint>
#include <cstring>
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
#include "service/dispatch.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

struct ParseCase {
  const char* value;
  const char* mask;
  bool strict;
  int day, month, year, empty;
};

void ExpectParses(const ParseCase& c, const IntlSettings& s = Us()) {
  SCOPED_TRACE("\"" + std::string(c.value ? c.value : "(null)").substr(0, 40) + "\" under " +
               std::string(c.mask).substr(0, 40));
  DateParts p{};
  ParseDate(c.value, c.mask, p, c.strict, s);
  EXPECT_EQ(p.day, c.day);
  EXPECT_EQ(p.month, c.month);
  EXPECT_EQ(p.year, c.year);
  EXPECT_EQ(p.empty, c.empty);
}

std::string Format(const char* mask, const DateParts& date, std::size_t size = 256,
                   const IntlSettings& s = Us()) {
  char out[256];
  FormatDate(out, size, mask, date, s);
  return out;
}

// The service's raw or formatted date, as the entry points ask for it.
std::string Answer(bool raw, const char* value, const char* mask, const IntlSettings& s = Us()) {
  const FormatRequest request{etDate, s.sThousand, s.sDecimal, mask, s.sSystemCurrency};
  char out[256];
  (raw ? MakeRawValue : MakeFormattedValue)(out, value, request, 255, s);
  return out;
}

constexpr DateParts kDec4 = {4, 12, 2001, 0};  // a Tuesday

// An empty value, which the entry points answer before the engine, and
// inputs far past any field: the tokens stay bounded.
TEST(DateParse, NoValueAndHostileInputs) {
  const std::string longMask(1000, 'd');
  std::string manyRuns;
  for (int i = 0; i < 250; ++i) manyRuns += "m/d/";
  const std::string letters(1 << 20, 'a'), digits(1 << 20, '7'), slashes(1 << 20, '/');
  const ParseCase cases[] = {
      {"", "mm/dd/yyyy", false, -2, -2, -2, 1},
      {nullptr, "mm/dd/yyyy", false, -2, -2, -2, 1},
      {"__", "mm", false, 1, -1, 1900, 1},  // the defaults come after the empty verdict
      {"7", longMask.c_str(), false, 7, 1, 1900, 0},
      {"3/4/5/6", manyRuns.c_str(), false, 6, 0, 1900, 0},
      {letters.c_str(), "mm/dd/yyyy", false, 0, 0, 0, 0},
      {digits.c_str(), "mm/dd/yyyy", false, 0, 0, 0, 0},
      {slashes.c_str(), "mm/dd/yyyy", false, -2, -2, -2, 1},
  };
  for (const ParseCase& c : cases) ExpectParses(c);
}

// The shape check alone, where the parse refuses first or there is no value.
TEST(DateShape, ShapesOtherChecksRefuse) {
  struct Case { const char* value; const char* mask; int ok; };
  const std::string longYear(1000, 'y'), longDigits(1000, '1');
  const Case cases[] = {
      {nullptr, "mm/dd/yyyy", 1},     {"", "mm/dd/yyyy", 1},         {"1225/2001", "mm/dd/yyyy", 1},
      {"12x25x2001", "mm/dd/yyyy", 1}, {"12", "mm/dd/yyyy", 1},       {"1234", longYear.c_str(), 0},
      {longDigits.c_str(), "yyyy", 1}, {longDigits.c_str(), longYear.c_str(), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckDateShape(c.value, c.mask, Us()), c.ok) << (c.value ? c.value : "(null)") << " under " << c.mask;
  }
}

// A translated table: token letters, abbreviations longer than three
// characters (cut to three in the settings), accented names, weekday names
// and a translated raw form.
class TranslatedDates : public ::testing::Test {
 protected:
  static constexpr StringEntry kFrench[] = {
      {1214, "aaaa-mm-jj"},  {2043, "jJmMaA"},   {2300, "janvier"},  {2305, "juin"},
      {2306, "juillet"},     {2307, "ao\xFBt"},  {2311, "d\xE9" "cembre"}, {2402, "mardi"},
      {2702, "mar."},        {2800, "janv."},    {2805, "juin"},     {2806, "juil."},
      {2807, "ao\xFBt"},     {2811, "d\xE9" "c."}};
  StringTableOverride strings_{kFrench, std::size(kFrench)};
  const IntlSettings s_ = LoadIntlSettings(MakeSystemLocale("fr", "\x80"));
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
  for (const ParseCase& c : cases) ExpectParses(c, s_);
}

TEST_F(TranslatedDates, WritesTranslatedNamesAndLetters) {
  EXPECT_EQ(Format("jjjj j mmmm aaaa", kDec4, 256, s_), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Format("jjj j mmm aa", kDec4, 256, s_), "mar. 4 d\xE9" "c. 01");
  EXPECT_EQ(Format("dd/yy", kDec4, 256, s_), "dd/yy");
  EXPECT_EQ(Answer(false, "2001-d\xE9" "cembre-04", "jjjj j mmmm aaaa", s_), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Answer(true, "4.d\xE9" "c..2001", "j.mmm.aaaa", s_), "2001-12-04");
}

TEST(DateParse, UnterminatedAbbreviationIsReadWithinItsEntry) {
  IntlSettings s = Us();
  std::memcpy(s.MonthAbbrev[5], "Maix", 4);  // four letters, no terminator
  EXPECT_EQ(MatchMonthName("Maixe", false, s), 5);
  EXPECT_EQ(MatchMonthName("Mai", false, s), -1);
  EXPECT_EQ(MatchMonthName(nullptr, false, s), 0);
}

// An empty flag over usable parts and unread parts in a date not empty,
// states a parse never hands the writer; and cuts at the buffer's end.
TEST(DateFormat, UnusablePartsAndCuts) {
  const char* const all = "d dd ddd dddd ddddd m mm mmm mmmm mmmmm y yy yyyy";
  EXPECT_EQ(Format(all, {4, 12, 2001, 1}), "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____");
  EXPECT_EQ(Format(all, {-1, -1, -1, 0}), "_ __ ___ ____ __ _ __ ___ ___ __ __ __ ____");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 11), "12/04/2001");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 10), "12/04/200");
  EXPECT_EQ(Format("dddd", kDec4, 5), "Tues");
  EXPECT_EQ(Format("mm/dd/yyyy", kDec4, 1), "");
  char cut[8] = "#######";
  FormatDate(cut, sizeof cut, "mm\0dd", kDec4, Us());  // nothing past the terminator is read
  EXPECT_STREQ(cut, "12");
  EXPECT_EQ(cut[3], '#');
  char untouched[2] = {'x', 'x'};
  FormatDate(untouched, 0, "mm", kDec4, Us());
  EXPECT_EQ(untouched[0], 'x');

  EXPECT_EQ(Format(std::string(1000, 'x').c_str(), kDec4), std::string(255, 'x'));
  std::string names, expected;
  for (int i = 0; i < 100; ++i) names += "dddd ", expected += "Tuesday ";
  EXPECT_EQ(Format(names.c_str(), kDec4), expected.substr(0, 255));
}

// No mask or an empty one takes the default; no value or no source mask
// renders the placeholders.
TEST(DateValues, WithoutAMaskOrValue) {
  EXPECT_EQ(Answer(true, "1/5/79", nullptr), "1979-01-05");
  EXPECT_EQ(Answer(false, "2001-12-04", nullptr), "12/04/01");
  char out[256];
  for (const char* value : {"", static_cast<const char*>(nullptr)}) {
    ConvertDate(out, sizeof out, value, "yyyy-mm-dd", "mm/dd/yyyy", Us());
    EXPECT_STREQ(out, "__/__/____");
  }
  ConvertDate(out, sizeof out, "2001-12-04", nullptr, "mm/dd/yyyy", Us());
  EXPECT_STREQ(out, "__/__/____");
  ConvertDate(out, sizeof out, "2001-12-04", "yyyy-mm-dd", nullptr, Us());
  EXPECT_STREQ(out, "");
}

// Leap years, month lengths and weekdays of typed dates are rows of the
// table; here every day of four centuries, and parts no typed date has.
TEST(DateCalendar, WeekdaysOverFourCenturiesAndImpossibleParts) {
  using namespace std::chrono;
  for (sys_days d = sys_days{year{1900} / January / 1}; d <= sys_days{year{2300} / December / 31};
       d += days{1}) {
    const year_month_day ymd{d};
    const DateParts parts{static_cast<int>(unsigned{ymd.day()}), static_cast<int>(unsigned{ymd.month()}),
                          static_cast<int>(ymd.year()), 0};
    ASSERT_EQ(WeekdayOf(parts), static_cast<int>(weekday{d}.c_encoding()))
        << parts.day << "/" << parts.month << "/" << parts.year;
  }
  EXPECT_FALSE(IsLeapYear(-100));
  const DateParts impossible[] = {{1, 2147483647, 9999, 0}, {2147483647, 12, 2147483647, 0}, {-5, -5, -5, 0}};
  for (const DateParts& d : impossible) {
    const int w = WeekdayOf(d);
    EXPECT_TRUE(w >= 0 && w <= 6) << w;
  }
}

// Superscript digits are rows of the table; a sign, text between digits,
// lengths and values no date run has, only here.
TEST(DateIntText, ParseAndWrite) {
  struct Parse { const char* text; std::int32_t value; };
  const Parse parses[] = {{"", 0}, {"-", 0}, {"-42", -42}, {"1x3", 103}, {"x", 0}, {"9999", 9999}};
  for (const Parse& c : parses) EXPECT_EQ(ParseSignedInt(c.text, std::strlen(c.text), '-'), c.value) << c.text;
  EXPECT_EQ(ParseSignedInt("12/25", 2, '-'), 12);
  EXPECT_EQ(ParseSignedInt(nullptr, 3, '-'), 0);
  const DateParts negative{-5, 7, -2147483647 - 1, 0};  // usable only when not negative
  EXPECT_EQ(Format("yyyy|m|d", {5, 7, 2001, 0}), "2001|7|5");
  EXPECT_EQ(Format("yyyy", {1, 1, 123456, 0}), "123456");
  EXPECT_EQ(Format("yyyy m", negative), "____ 7");
}

}  // namespace
}  // namespace zorva
