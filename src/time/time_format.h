// Lenient reading of a time text, and rendering of a time record with a mask.
#pragma once

#include <cstddef>

#include "time/time_mask.h"

namespace zorva {

// Picks numbers and words out of `value` in the order of the mask's tokens,
// without range checks. An empty value, or one with neither digits nor
// letters, gives a blank record. Null texts read as empty.
TimeValue ReadTimeLenient(const char* value, const char* mask) noexcept;

// One piece of a time mask as the formatter reads it: text shown as it
// stands (a literal, a quoted run, an escaped character), a field token of
// one letter or two of the same letter, or a designator run.
struct TimeMaskPiece {
  enum Kind : unsigned char { kEnd, kText, kHours, kMinutes, kSeconds, kDesignator } kind;
  std::size_t length;      // mask characters read
  const char* text;        // kText: what is shown
  std::size_t textLength;
};
TimeMaskPiece NextTimeMaskPiece(const char* mask) noexcept;
// The same, with a designator run's texts read into `run`.
TimeMaskPiece NextTimeMaskPiece(const char* mask, DesignatorRun& run) noexcept;

// Renders `time` with `mask` into dest of `size` bytes (cut to size - 1
// characters, always terminated); returns the length written. Hours before an
// AM/PM pair switch to the 12-hour clock, which may change time.meridiem.
std::size_t FormatTime(char* dest, std::size_t size, const char* mask, TimeValue& time) noexcept;

// Reads `value` leniently with `sourceMask`, normalises it (out-of-range
// times and empty values become placeholders) and renders it with
// `targetMask`. A null source mask reads as a blank time.
std::size_t ReformatTime(char* dest, std::size_t size, const char* value, const char* sourceMask,
                         const char* targetMask) noexcept;

}  // namespace zorva
