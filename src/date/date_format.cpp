#include "date/date_format.h"

#include <cstring>

#include "date/date_mask.h"
#include "date/date_parse.h"
#include "date/date_plan.h"
#include "intl/settings.h"
#include "platform/bounded_text.h"

namespace zorva {
namespace {

// Only usable parts are written, and those are never negative.
void PutNumber(BoundedText& out, std::int32_t value, int width) noexcept {
  out.PutDecimal(static_cast<std::uint32_t>(value), width);
}

bool Usable(const DateParts& date, std::int32_t part) noexcept {
  return date.empty == 0 && part >= 0;
}

[[gnu::always_inline]] inline void PutDay(BoundedText& out, std::size_t length, const DateParts& date,
                                          int& weekday, const IntlSettings& s) noexcept {
  if (!Usable(date, date.day)) {
    out.Put('_', DateRunFormOf(kDayPart, length).placeholders);
    return;
  }
  if (length == 3 || length == 4) {
    if (weekday < 0) weekday = WeekdayOf(date);  // the same for every name run
    out.Put(length == 3 ? s.sDayShortNames[weekday] : s.sDayNames[weekday]);
  } else {
    PutNumber(out, date.day, length == 1 ? 1 : 2);
  }
}

[[gnu::always_inline]] inline void PutMonth(BoundedText& out, std::size_t length, const DateParts& date,
              const IntlSettings& s) noexcept {
  if (length == 3 || length == 4) {
    // A full-name placeholder is three underscores too.
    if (Usable(date, date.month) && date.month >= 1 && date.month <= 12) {
      out.Put(length == 3 ? s.sMonthShortNames[date.month - 1] : s.sMonthNames[date.month - 1]);
    } else {
      out.Put('_', DateRunFormOf(kMonthPart, length).placeholders);
    }
  } else if (!Usable(date, date.month)) {
    out.Put('_', DateRunFormOf(kMonthPart, length).placeholders);
  } else {
    PutNumber(out, date.month, length == 1 ? 0 : 2);
  }
}

[[gnu::always_inline]] inline void PutYear(BoundedText& out, std::size_t length, const DateParts& date) noexcept {
  if (!Usable(date, date.year)) {
    out.Put('_', DateRunFormOf(kYearPart, length).placeholders);
  } else if (length == 4) {
    PutNumber(out, date.year, 4);
  } else {
    PutNumber(out, date.year % 100, 2);
  }
}

}  // namespace

DateRunForm DateRunFormOf(DatePart part, std::size_t length) noexcept {
  const bool name = length == 3 || length == 4;
  switch (part) {
    case kDayPart:
      if (name) return {0, static_cast<int>(length), false, true, length == 4};
      return {2, length == 1 ? 1 : 2, false, false, false};
    case kMonthPart:
      // A full-name placeholder is three underscores too.
      if (name) return {0, 3, true, false, length == 4};
      return {2, length == 1 ? 1 : 2, false, false, false};
    case kYearPart: return {length == 4 ? 4 : 2, length == 4 ? 4 : 2, false, false, false};
    default: return {0, 0, false, false, false};
  }
}

namespace {

// One run of the mask; inline in both walks, as it was in the one.
[[gnu::always_inline]] inline void PutRun(BoundedText& out, DatePart part, std::size_t length,
                                          const DateParts& date, int& weekday, const IntlSettings& s) noexcept {
  if (part == kDayPart) {
    PutDay(out, length, date, weekday, s);
  } else if (part == kMonthPart) {
    PutMonth(out, length, date, s);
  } else {
    PutYear(out, length, date);
  }
}

}  // namespace

void FormatDate(char* dest, std::size_t size, const char* mask, const DateParts& date,
                const IntlSettings& s) noexcept {
  BoundedText out(dest, size);
  if (!mask) return;
  const DateTokenLetters letters = DateLettersOf(s);
  int weekday = -1;  // computed on first use
  for (const char* m = mask; *m != '\0' && !out.Full();) {
    const DatePart part = DatePartOf(letters, *m);
    if (part == kNoDatePart) {
      out.Put(*m++);  // a literal, letters included
      continue;
    }
    const std::size_t length = RunLength(m);
    m += length;
    PutRun(out, part, length, date, weekday, s);
  }
}

std::size_t FormatDatePlan(char* dest, std::size_t size, const DateMaskPlan& plan, const DateParts& date,
                           const IntlSettings& s) noexcept {
  BoundedText out(dest, size);
  int weekday = -1;
  for (std::size_t i = 0; i < plan.count && !out.Full(); ++i) {
    const DatePlanItem& item = plan.items[i];
    if (item.part == kNoDatePart) {
      out.Put(item.literal);
    } else {
      PutRun(out, item.part, item.length, date, weekday, s);
    }
  }
  return out.length();
}

void ConvertDate(char* dest, std::size_t size, const char* value, const char* sourceMask,
                 const char* targetMask, const IntlSettings& s) noexcept {
  DateParts date{-2, -2, -2, 1};
  if (value && *value != '\0' && sourceMask) ParseDate(value, sourceMask, date, true, s);
  FormatDate(dest, size, targetMask, date, s);
}

}  // namespace zorva
