// Lenient reading of a time text, and rendering of a time record with a mask.
#pragma once

#include <cstddef>

#include "time/time_mask.h"

namespace zorva {

// Picks numbers and words out of `value` in the order of the mask's tokens,
// without range checks. An empty value, or one with neither digits nor
// letters, gives a blank record. Null texts read as empty.
TimeValue ReadTimeLenient(const char* value, const char* mask) noexcept;

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
