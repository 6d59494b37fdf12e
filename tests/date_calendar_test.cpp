// Calendar rules and the decimal conversions shared with the time engine.
#include <chrono>
#include <cstdint>

#include <gtest/gtest.h>

#include "date/calendar.h"
#include "date/int_text.h"

namespace zorva {
namespace {

TEST(DateCalendar, LeapYears) {
  struct Case { std::int32_t year; bool leap; };
  const Case cases[] = {{1600, true}, {1700, false}, {1900, false}, {1996, true}, {2000, true},
                        {2001, false}, {2004, true}, {2100, false}, {2400, true}, {4, true},
                        {1, false}, {0, true}, {-4, true}, {-100, false}};
  for (const Case& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(DateCalendar, Validity) {
  struct Case { DateParts date; int valid; };
  const Case cases[] = {
      {{29, 2, 2000, 0}, 1}, {{29, 2, 2004, 0}, 1}, {{29, 2, 1900, 0}, 0}, {{29, 2, 2001, 0}, 0},
      {{28, 2, 2001, 0}, 1}, {{31, 4, 2001, 0}, 0}, {{30, 4, 2001, 0}, 1}, {{31, 12, 9999, 0}, 1},
      {{0, 1, 2001, 0}, 0}, {{1, 13, 2001, 0}, 0}, {{1, 0, 2001, 0}, 0}, {{1, 1, 0, 0}, 0},
      {{1, 1, 1, 0}, 1}, {{-1, 12, 2001, 0}, 0}, {{-2, -7, 0, 1}, 1}, {{99, 99, -1, 5}, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidDate(c.date), c.valid) << c.date.day << "/" << c.date.month << "/" << c.date.year;
  }
}

TEST(DateCalendar, KnownWeekdays) {
  struct Case { DateParts date; int weekday; };
  const Case cases[] = {{{1, 1, 1, 0}, 1},    {{1, 1, 2000, 0}, 6},  {{29, 2, 2000, 0}, 2},
                        {{1, 3, 2000, 0}, 3}, {{1, 1, 2001, 0}, 1},  {{1, 2, 2004, 0}, 0},
                        {{4, 12, 2001, 0}, 2}, {{31, 12, 9999, 0}, 5},
                        // A missing year counts no days: day 1 is a Monday.
                        {{1, 1, -1, 0}, 1}};
  for (const Case& c : cases) EXPECT_EQ(WeekdayOf(c.date), c.weekday) << c.date.year;
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

TEST(DateCalendar, TwoDigitYearPivot) {
  struct Case { std::int32_t year; bool four; std::int32_t full; };
  const Case cases[] = {{0, false, 2000}, {1, false, 2001}, {78, false, 2078}, {79, false, 1979},
                        {99, false, 1999}, {100, false, 100}, {2001, false, 2001},
                        {-1, false, -1}, {99, true, 99}, {0, true, 0}, {5, true, 5}};
  for (const Case& c : cases) EXPECT_EQ(WidenTwoDigitYear(c.year, c.four), c.full) << c.year;
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
