// Dates and times where the case table cannot reach them: translated
// tables, values and masks far past any field, destinations smaller than the
// answer, the calendar over four centuries and every minute of a day. Typed
// dates and times are rows of tests/cases/cases.tsv.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "date/calendar.h"
#include "date/date_format.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "intl/string_table.h"
#include "service/dispatch.h"
#include "time/time_format.h"
#include "time/time_validate.h"

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

// The service's raw or formatted date or time, as the entry points ask for it.
std::string Answer(EditType type, bool raw, const char* value, const char* mask, const IntlSettings& s = Us(),
                   std::size_t capacity = 255) {
  const FormatRequest request{type, s.sThousand, s.sDecimal, mask, s.sSystemCurrency};
  char out[256];
  (raw ? MakeRawValue : MakeFormattedValue)(out, value, request, capacity, s);
  return out;
}

TEST(DateTime, HostileInputsAndUnterminatedNames) {
  const std::string letters(1 << 20, 'a'), digits(1 << 20, '7'), slashes(1 << 20, '/'), spaces(1 << 20, ' '),
      colons(1 << 20, ':'), high(1000, '\xFF');
  EXPECT_EQ(Parse(letters.c_str(), "mm/dd/yyyy", false), "0/0/0");
  EXPECT_EQ(Parse(digits.c_str(), "mm/dd/yyyy", false), "0/0/0");
  EXPECT_EQ(Parse(slashes.c_str(), "mm/dd/yyyy", false), "-2/-2/-2 empty");
  EXPECT_TRUE(ValidateTime(spaces.c_str(), "hh:mm:ss", Us()));
  EXPECT_FALSE(ValidateTime(colons.c_str(), "h:mm AM/PM", Us()));
  EXPECT_FALSE(ValidateTime(high.c_str(), "h:mm AM/PM", Us()));
  const std::string mask = std::string(1000, 'h') + " " + std::string(1000, 'Z') + "/P";
  EXPECT_FALSE(ValidateTime("10 P", mask.c_str(), Us()));  // hours are the 500th field
  IntlSettings s = Us();
  std::memcpy(s.MonthAbbrev[5], "Maix", 4);  // four letters, no terminator
  EXPECT_EQ(MatchMonthName("Maixe", false, s), 5);
  EXPECT_EQ(MatchMonthName("Mai", false, s), -1);
}

// A translated table: token letters, abbreviations longer than three
// characters (cut to three in the settings), accented names, weekday names
// and translated raw forms.
TEST(DateParse, TranslatedLettersAndNames) {
  constexpr unsigned kMonth = kFullMonthNamesId - 1, kMon = kShortMonthNamesId - 1;
  static constexpr StringEntry kFrench[] = {
      {kRawDateMaskId, "aaaa-mm-jj"}, {kRawTimeMaskId, "hh:mm AM/PM"}, {kDateLettersId, "jJmMaA"},
      {kFullWeekdayNamesId + 2, "mardi"},
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
  EXPECT_EQ(Answer(etDate, false, "2001-d\xE9" "cembre-04", "jjjj j mmmm aaaa", fr), "mardi 4 d\xE9" "cembre 2001");
  EXPECT_EQ(Answer(etDate, false, "2001-12-04", "jjj j mmm aa dd/yy", fr), "mar. 4 d\xE9" "c. 01 dd/yy");
  EXPECT_EQ(Answer(etDate, true, "4.d\xE9" "c..2001", "j.mmm.aaaa", fr), "2001-12-04");
  EXPECT_EQ(Answer(etTime, true, "12:30", "hh:mm", fr), "12:30 PM");  // noon is an afternoon hour
}

TEST(DateTimeFormat, CutsAndPartsNoParseGives) {
  char out[11] = "##########";
  TimeValue t{0, 30, 15, 0, MeridiemPM};
  EXPECT_EQ(FormatTime(out, 4, "hh:mm", t), 3u);
  EXPECT_STREQ(out, "15:");
  EXPECT_EQ(out[4], '#');
  EXPECT_EQ(FormatTime(out, 0, "hh:mm", t), 0u);
  EXPECT_EQ(Answer(etTime, true, "3:30 PM", "h:mm AM/PM", Us(), 5), "15:30");
  std::string longMask = "h";
  for (int i = 1; i < 1000; ++i) longMask += ":h";
  EXPECT_EQ(Answer(etTime, false, "10:00:00", longMask.c_str()).size(), 255u);
  constexpr DateParts kDec4 = {4, 12, 2001, 0};
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

// Every minute of a day: raw -> formatted -> strictly valid -> the same raw.
TEST(TimeFormat, DaySweepRoundTrips) {
  for (const char* mask : {"h:mm AM/PM", "hh:mm"}) {
    for (int minute = 0; minute < 24 * 60; ++minute) {
      char raw[16];
      std::snprintf(raw, sizeof raw, "%02d:%02d:00", minute / 60, minute % 60);
      std::string shown = Answer(etTime, false, raw, mask);
      ASSERT_TRUE(ValidateValue(shown.c_str(), mask, tkMETime, Us())) << mask << " " << raw << " -> " << shown;
      ASSERT_EQ(Answer(etTime, true, shown.c_str(), mask), raw) << mask << " " << shown;
    }
  }
}

}  // namespace
}  // namespace zorva
