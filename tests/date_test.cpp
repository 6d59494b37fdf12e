// The date engine where the case table cannot reach it: translated tables,
// values far past any field, and the calendar over four centuries. Typed
// dates are rows of tests/cases/cases.tsv.
#include <chrono>
#include <cstring>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "date/calendar.h"
#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "intl/string_table.h"
#include "service/dispatch.h"

namespace zorva {
namespace {

const IntlSettings& Us() {
  static const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
  return s;
}

// Day, month, year and the empty flag of a parse, in one text.
std::string Parse(const char* value, const char* mask, bool strict, const IntlSettings& s = Us()) {
  DateParts p{};
  ParseDate(value, mask, p, strict, s);
  return std::to_string(p.day) + "/" + std::to_string(p.month) + "/" + std::to_string(p.year) +
         (p.empty ? " empty" : "");
}

// The service's raw or formatted date, as the entry points ask for it.
std::string Answer(bool raw, const char* value, const char* mask, const IntlSettings& s) {
  const FormatRequest request{etDate, s.sThousand, s.sDecimal, mask, s.sSystemCurrency};
  char out[256];
  (raw ? MakeRawValue : MakeFormattedValue)(out, value, request, 255, s);
  return out;
}

TEST(DateParse, HostileInputsAndUnterminatedNames) {
  const std::string letters(1 << 20, 'a'), digits(1 << 20, '7'), slashes(1 << 20, '/');
  EXPECT_EQ(Parse(letters.c_str(), "mm/dd/yyyy", false), "0/0/0");
  EXPECT_EQ(Parse(digits.c_str(), "mm/dd/yyyy", false), "0/0/0");
  EXPECT_EQ(Parse(slashes.c_str(), "mm/dd/yyyy", false), "-2/-2/-2 empty");
  IntlSettings s = Us();
  std::memcpy(s.MonthAbbrev[5], "Maix", 4);  // four letters, no terminator
  EXPECT_EQ(MatchMonthName("Maixe", false, s), 5);
  EXPECT_EQ(MatchMonthName("Mai", false, s), -1);
}

// A translated table: token letters, abbreviations longer than three
// characters (cut to three in the settings), accented names, weekday names
// and a translated raw form.
TEST(DateParse, TranslatedLettersAndNames) {
  constexpr unsigned kMonth = kFullMonthNamesId - 1, kMon = kShortMonthNamesId - 1;
  static constexpr StringEntry kFrench[] = {
      {kRawDateMaskId, "aaaa-mm-jj"}, {kDateLettersId, "jJmMaA"}, {kFullWeekdayNamesId + 2, "mardi"},
      {kShortWeekdayNamesId + 2, "mar."}, {kMonth + 1, "janvier"}, {kMonth + 6, "juin"},
      {kMonth + 7, "juillet"}, {kMonth + 8, "ao\xFBt"}, {kMonth + 12, "d\xE9" "cembre"}, {kMon + 1, "janv."},
      {kMon + 6, "juin"}, {kMon + 7, "juil."}, {kMon + 8, "ao\xFBt"}, {kMon + 12, "d\xE9" "c."}};
  const IntlSettings fr = LoadIntlSettings(MakeSystemLocale("fr", "\x80"), kFrench);
  EXPECT_EQ(Parse("25.12.2001", "jj.mm.aaaa", false, fr), "25/12/2001");
  EXPECT_EQ(Parse("4 juillet 2001", "j mmmm aaaa", false, fr), "4/6/2001");  // "jui" is June's first
  EXPECT_EQ(Parse("4 juillet 2001", "j mmmm aaaa", true, fr), "4/0/2001");
  EXPECT_EQ(Parse("5 AO\xDBT 2001", "j mmmm aaaa", true, fr), "5/8/2001");
  EXPECT_EQ(Parse("5 d\xE9" "c. 2001", "j mmm aaaa", false, fr), "5/12/2001");
  EXPECT_EQ(Parse("12/25/2001", "mm/dd/yyyy", false, fr), "1/12/1900");  // d and y are literals
  EXPECT_EQ(Answer(false, "2001-d\xE9" "cembre-04", "jjjj j mmmm aaaa", fr), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Answer(false, "2001-12-04", "jjj j mmm aa dd/yy", fr), "mar. 4 d\xE9" "c. 01 dd/yy");
  EXPECT_EQ(Answer(true, "4.d\xE9" "c..2001", "j.mmm.aaaa", fr), "2001-12-04");
}

TEST(DateFormat, CutsAndPartsNoParseGives) {
  constexpr DateParts kDec4 = {4, 12, 2001, 0};
  char out[11] = "##########";
  FormatDate(out, 10, "mm/dd/yyyy", kDec4, Us());
  EXPECT_STREQ(out, "12/04/200");
  FormatDate(out, 5, "dddd", kDec4, Us());
  EXPECT_STREQ(out, "Tues");
  FormatDate(out, sizeof out, "yyyy m|d", {-5, 7, 123456, 1}, Us());  // empty: nothing usable
  EXPECT_STREQ(out, "____ _|_");
  FormatDate(out, sizeof out, "yyyy", {1, 1, 123456, 0}, Us());
  EXPECT_STREQ(out, "123456");
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
  for (const DateParts& d : {DateParts{1, 2147483647, 9999, 0}, DateParts{2147483647, 12, 2147483647, 0},
                             DateParts{-5, -5, -5, 0}}) {
    EXPECT_LT(static_cast<unsigned>(WeekdayOf(d)), 7u);
  }
}

}  // namespace
}  // namespace zorva
