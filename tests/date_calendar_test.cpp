// Calendar rules and the decimal conversions shared with the time engine.
#include <chrono>
#include <cstdint>

#include <gtest/gtest.h>

#include "date/calendar.h"
#include "date/int_text.h"

namespace zorva {
namespace {

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
