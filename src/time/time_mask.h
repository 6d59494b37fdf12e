// Time masks: the record of one time, the analysis of a mask into the places
// of its fields and its AM/PM designator, and the checks on a time record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorva {

enum Meridiem : std::int32_t {
  MeridiemNone = 0,
  MeridiemAM = 1,
  MeridiemPM = 2,  // any other value counts as none
};

// One time. A field whose text was not a number holds -1; hours 24 is midnight.
struct TimeValue {
  std::int32_t seconds;
  std::int32_t minutes;
  std::int32_t hours;
  std::int32_t isBlank;   // nonzero: nothing to check or show
  std::int32_t meridiem;  // a Meridiem code
};

// A time mask's tokens and designator, plus the spans of the fields in one
// value text (offsets, end exclusive; 0 and 0 when the value lacks the field).
struct TimeLayout {
  std::int32_t hourStart, hourEnd;
  std::int32_t minuteStart, minuteEnd;
  std::int32_t secondStart, secondEnd;
  std::int32_t designatorStart, designatorEnd;
  std::int32_t hourOrdinal;    // 1-based place among the time tokens; 0 for none
  std::int32_t minuteOrdinal;
  std::int32_t secondOrdinal;
  std::int32_t hasDesignatorPair;  // the mask holds a designator with a "/"
  char amText[12];                 // at most 11 characters
  char pmText[12];
};

// Whether c is the lower-case letter `lower` in either case ("h", "m", "s").
inline bool IsLetterOf(char c, char lower) noexcept { return c == lower || c == lower - ('a' - 'A'); }

// The placeholder written for each digit of a field that cannot be shown.
constexpr char kTimePlaceholder = '_';

// A designator run (letters and "/"): the texts before and after its last
// "/", each cut to 11 characters (the AM text empty when it has none).
struct DesignatorRun {
  char am[12];
  char pm[12];
  bool pair;           // the run holds a "/"
  std::size_t length;  // the run's length
};
DesignatorRun ReadDesignatorRun(const char* run) noexcept;

// Clears and fills `layout` from the mask's tokens and designator runs, and
// sets `separator` to the character after the first time token (0 for none).
// A null mask reads as empty.
void AnalyseTimeMask(const char* mask, TimeLayout& layout, char& separator) noexcept;

// Whether the mask from `position` on (its first 63 characters) holds a
// designator with a "/".
bool HasDesignatorPair(const char* position) noexcept;

// Hours 0..24, minutes and seconds 0..59; a blank record always passes.
bool IsTimeInRange(const TimeValue& time) noexcept;

// AM with hours 0..11 or 24, PM with hours 12..23; a blank record always passes.
bool IsMeridiemConsistent(const TimeValue& time) noexcept;

// For a time that IsTimeInRange: clears the blank flag and sets the
// meridiem from the hours.
void NormaliseTime(TimeValue& time) noexcept;

}  // namespace zorva
