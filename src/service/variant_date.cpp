// Automation dates: days since 30 December 1899, the fraction being the time
// of day. A negative count runs whole days back, but its fraction still runs
// forward from midnight, so -1.25 is 29 December 1899, 06:00.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "service/variant_text.h"

namespace zorva {
namespace {

// The Automation date range: 1 January 100 to 31 December 9999.
constexpr std::int64_t kFirstDay = -657434;
constexpr std::int64_t kLastDay = 2958465;
constexpr std::int64_t kSecondsPerDay = 86400;

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

// Proleptic Gregorian calendar from a day count relative to 1970-01-01.
CivilDate CivilFromDays(std::int64_t z) noexcept {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochFromUnix = -25569;

char* PutDigits(char* p, std::int64_t value, int width) noexcept {
  for (int i = width - 1; i >= 0; --i) {
    p[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return p + width;
}

}  // namespace

std::size_t FormatDayCount(char* dest, std::size_t size, double days, int code) noexcept {
  if (dest && size) dest[0] = '\0';
  if (!std::isfinite(days) || days < kFirstDay - 1.0 || days > kLastDay + 1.0) return 0;
  const double whole = std::trunc(days);
  std::int64_t day = static_cast<std::int64_t>(whole);
  // Rounded to the nearest second; a day's last half second carries into the next.
  std::int64_t seconds = static_cast<std::int64_t>(std::floor(std::fabs(days - whole) * kSecondsPerDay + 0.5));
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++day;
  }
  if (day < kFirstDay || day > kLastDay) return 0;

  char out[24];
  char* p = out;
  if (code != 7) {
    const CivilDate date = CivilFromDays(day + kEpochFromUnix);
    p = PutDigits(p, date.year, 4);
    *p++ = '-';
    p = PutDigits(p, date.month, 2);
    *p++ = '-';
    p = PutDigits(p, date.day, 2);
  }
  if (code != 6) {
    if (code != 7) *p++ = ' ';
    p = PutDigits(p, seconds / 3600, 2);
    *p++ = ':';
    p = PutDigits(p, seconds / 60 % 60, 2);
    *p++ = ':';
    p = PutDigits(p, seconds % 60, 2);
  }
  if (!dest || size == 0) return 0;
  std::size_t len = static_cast<std::size_t>(p - out);
  if (len > size - 1) len = size - 1;
  std::memcpy(dest, out, len);
  dest[len] = '\0';
  return len;
}

}  // namespace zorva
