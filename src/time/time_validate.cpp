#include "time/time_validate.h"

#include <cstring>

#include "intl/settings.h"
#include "platform/codepage.h"
#include "time/time_digits.h"

namespace zorva {
namespace {

constexpr std::size_t kFieldDigits = 256;     // digits of one field that count
constexpr std::size_t kDesignatorChars = 10;  // characters of an entered designator

struct Span {
  std::size_t start;
  std::size_t length;
};

// A layout span limited to the value's text, so that a stale layout cannot
// send a reader past the terminator.
Span ClampSpan(std::int32_t start, std::int32_t end, std::size_t textLength) noexcept {
  std::size_t s = start < 0 ? 0 : static_cast<std::size_t>(start);
  std::size_t e = end < 0 ? 0 : static_cast<std::size_t>(end);
  if (s > textLength) s = textLength;
  if (e > textLength) e = textLength;
  return {s, e > s ? e - s : 0};
}

std::int32_t ReadField(const char* value, Span span) noexcept {
  if (HasNonDigit(value + span.start, span.length)) return -1;
  std::size_t n = span.length < kFieldDigits ? span.length : kFieldDigits;
  std::int32_t number = 0;
  for (std::size_t i = 0; i < n; ++i) number = AppendTimeDigit(number, value[span.start + i]);
  return number;
}

Meridiem DecideDesignator(const char* entered, std::size_t fieldLength, const TimeLayout& layout,
                          std::int32_t hours) noexcept {
  if (std::strcmp(entered, layout.amText) == 0) return MeridiemAM;
  if (fieldLength == 1 && entered[0] == layout.amText[0]) return MeridiemAM;
  if (std::strcmp(entered, layout.pmText) == 0) return MeridiemPM;
  if (fieldLength == 1 && entered[0] == layout.pmText[0]) return MeridiemPM;
  if (fieldLength >= 1) return MeridiemNone;
  // No designator entered: the hour decides, except that 0..2 stay undecided
  // and so fail against a pair.
  if ((hours >= 3 && hours <= 11) || hours == 24) return MeridiemAM;
  if (hours >= 12 && hours <= 23) return MeridiemPM;
  return MeridiemNone;
}

}  // namespace

bool HasNonDigit(const char* text, std::size_t length) noexcept {
  std::size_t digits = 0;
  for (std::size_t i = 0; text && i < length && text[i]; ++i) {
    if (CrtIsDigit(text[i])) ++digits;
  }
  return length > digits;
}

void SplitTimeValue(const char* value, TimeLayout& layout, char separator,
                    const IntlSettings& s) noexcept {
  if (separator == 0) separator = s.sTime;
  if (!value) return;
  std::int32_t field = 0;
  std::size_t i = 0;
  // Offsets are 32-bit; text beyond that is not split.
  constexpr std::size_t kLimit = INT32_MAX;
  while (value[i] && i < kLimit) {
    if (value[i] == ' ' || value[i] == separator) {
      ++i;
      continue;
    }
    std::size_t start = i;
    while (value[i] && value[i] != ' ' && value[i] != separator && i < kLimit) ++i;
    auto s = static_cast<std::int32_t>(start);
    auto e = static_cast<std::int32_t>(i);
    ++field;
    if (field == layout.hourOrdinal) {
      layout.hourStart = s, layout.hourEnd = e;
    } else if (field == layout.minuteOrdinal) {
      layout.minuteStart = s, layout.minuteEnd = e;
    } else if (field == layout.secondOrdinal) {
      layout.secondStart = s, layout.secondEnd = e;
    } else {
      layout.designatorStart = s, layout.designatorEnd = e;
    }
  }
}

TimeValue ReadTimeFields(const char* value, const TimeLayout& layout) noexcept {
  TimeValue time{};
  time.isBlank = 1;
  if (!value) value = "";
  std::size_t textLength = std::strlen(value);

  struct Field {
    std::int32_t ordinal, start, end;
    std::int32_t* target;
  } fields[] = {
      {layout.hourOrdinal, layout.hourStart, layout.hourEnd, &time.hours},
      {layout.minuteOrdinal, layout.minuteStart, layout.minuteEnd, &time.minutes},
      {layout.secondOrdinal, layout.secondStart, layout.secondEnd, &time.seconds},
  };
  for (const Field& f : fields) {
    if (f.ordinal < 1) {
      *f.target = 0;
      continue;
    }
    *f.target = ReadField(value, ClampSpan(f.start, f.end, textLength));
    time.isBlank = 0;
  }

  time.meridiem = MeridiemNone;
  if (!layout.hasDesignatorPair) {
    if ((time.hours >= 0 && time.hours <= 11) || time.hours == 24) time.meridiem = MeridiemAM;
    else if (time.hours >= 12 && time.hours <= 23) time.meridiem = MeridiemPM;
  } else {
    Span span = ClampSpan(layout.designatorStart, layout.designatorEnd, textLength);
    char entered[kDesignatorChars + 1];
    std::size_t n = span.length < kDesignatorChars ? span.length : kDesignatorChars;
    // The mask's AM text decides how an entry is folded before comparing.
    bool upper = layout.amText[0] == 'A';
    for (std::size_t i = 0; i < n; ++i) {
      char c = value[span.start + i];
      entered[i] = upper ? CrtToUpper(c) : CrtToLower(c);
    }
    entered[n] = '\0';

    Meridiem decided = DecideDesignator(entered, span.length, layout, time.hours);
    if (decided == MeridiemAM) {
      time.meridiem = MeridiemAM;
      time.isBlank = 0;
      if (time.hours == 12) time.hours = 24;  // 12 AM is midnight
    } else if (decided == MeridiemPM) {
      time.meridiem = MeridiemPM;
      if (time.hours >= 1 && time.hours <= 11) time.hours += 12;
    }
    if (span.length != 0) time.isBlank = 0;
  }
  if (time.hours == 24) time.hours = 0;
  return time;
}

bool ValidateTime(const char* value, const char* mask, const IntlSettings& s) noexcept {
  TimeLayout layout;
  char separator;
  AnalyseTimeMask(mask, layout, separator);
  SplitTimeValue(value, layout, separator, s);
  TimeValue time = ReadTimeFields(value, layout);
  if (!IsTimeInRange(time)) return false;
  if (!layout.hasDesignatorPair) return true;
  return IsMeridiemConsistent(time);
}

}  // namespace zorva
