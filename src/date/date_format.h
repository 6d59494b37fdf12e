// Rendering dates under a date mask.
#pragma once

#include <cstddef>

#include "date/calendar.h"
#include "date/date_mask.h"

namespace zorva {

struct IntlSettings;

// What a run of a date mask shows: at most `digits` digits (0 for a name),
// or `placeholders` underscores when its part is not usable.
struct DateRunForm {
  int digits;
  int placeholders;
  bool monthName;  // month, 3 or 4 letters: a month name
  bool weekday;    // day, 3 or 4 letters: a weekday name
  bool fullName;   // 4 letters: the full name rather than the short one
};
DateRunForm DateRunFormOf(DatePart part, std::size_t length) noexcept;

// Renders date under mask into dest of `size` bytes; the text is cut at the
// end of the buffer and always terminated. Parts that are not usable render
// as underscores.
void FormatDate(char* dest, std::size_t size, const char* mask, const DateParts& date,
                const IntlSettings& s) noexcept;

// Reads value under sourceMask (month names in full) and renders it under
// targetMask. An absent or empty value, or a null sourceMask, renders every
// run as its placeholder.
void ConvertDate(char* dest, std::size_t size, const char* value, const char* sourceMask,
                 const char* targetMask, const IntlSettings& s) noexcept;

}  // namespace zorva
