#include "date/calendar.h"

namespace zorva {

bool IsLeapYear(std::int32_t year) noexcept {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int IsValidDate(const DateParts& date) noexcept {
  if (date.empty) return 1;  // an empty value is always acceptable
  if (date.year < 1 || date.month < 1 || date.month > 12) return 0;
  std::int32_t length = DaysInMonth[date.month];
  if (date.month == 2 && IsLeapYear(date.year)) ++length;
  return date.day >= 1 && date.day <= length ? 1 : 0;
}

int WeekdayOf(const DateParts& date) noexcept {
  // 64-bit: callers may hand any 32-bit parts.
  std::int64_t days = 0;
  if (date.year >= 1) {
    std::int64_t n = static_cast<std::int64_t>(date.year) - 1;
    days += n / 400 * 146097;
    days += n % 400 / 100 * 36524;
    days += n % 100 / 4 * 1461;
    days += n % 4 * 365;
  }
  // Months outside 1..12 never read past the table.
  for (std::int32_t m = 1; m < date.month && m <= 12; ++m) days += DaysInMonth[m];
  if (date.month > 2 && IsLeapYear(date.year)) ++days;
  days += date.day;
  // 1 January of year 1 is day 1, a Monday.
  return static_cast<int>((days % 7 + 7) % 7);
}

std::int32_t WidenTwoDigitYear(std::int32_t year, bool fourLetterRun) noexcept {
  if (fourLetterRun || year < 0 || year > 99) return year;
  return year >= 79 ? 1900 + year : 2000 + year;
}

}  // namespace zorva
