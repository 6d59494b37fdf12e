// Gregorian calendar rules shared by the date parser and formatter.
#pragma once

#include <cstdint>

namespace zorva {

// A date as the parser reads it and the formatter renders it. A part holds
// -1 for a placeholder run ("__"), 0 when missing or unreadable; `empty`
// set means the value held no date and the other fields mean nothing.
struct DateParts {
  std::int32_t day;
  std::int32_t month;
  std::int32_t year;
  std::int32_t empty;
};

// Days of months 1..12 in a common year; entry 0 is unused so that the
// month number indexes it directly.
inline constexpr std::int32_t DaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Proleptic Gregorian leap years (remainders truncate toward zero).
bool IsLeapYear(std::int32_t year) noexcept;

// 1 when the date exists (year 1 or later), or when the record is empty;
// else 0.
int IsValidDate(const DateParts& date) noexcept;

// 0 for Sunday to 6 for Saturday. A year below 1 counts no days; a month
// outside 1..12 still gives some weekday from 0 to 6.
int WeekdayOf(const DateParts& date) noexcept;

// The full year of a year read under a year run: a run of exactly four
// letters keeps it; any other run widens 0..99 around the pivot 79
// (79..99 -> 1979..1999, 0..78 -> 2000..2078). Other years stay unchanged.
std::int32_t WidenTwoDigitYear(std::int32_t year, bool fourLetterRun) noexcept;

}  // namespace zorva
