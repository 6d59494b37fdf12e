// Rendering dates under a date mask, and the raw and formatted values.
#pragma once

#include <cstddef>

#include "date/calendar.h"

namespace zorva {

// Renders date under mask into dest of `size` bytes; the text is cut at the
// end of the buffer and always terminated. Parts that are not usable render
// as underscores.
void FormatDate(char* dest, std::size_t size, const char* mask, const DateParts& date) noexcept;

// Reads value under sourceMask (month names in full) and renders it under
// targetMask. An absent or empty value, or a null sourceMask, renders every
// run as its placeholder.
void ConvertDate(char* dest, std::size_t size, const char* value, const char* sourceMask,
                 const char* targetMask) noexcept;

// The raw form ("yyyy-mm-dd") of a date typed under mask; empty when the
// value holds no date. Invalid dates are written as their parts stand. A
// null or empty mask means the default date mask.
void MakeDateRawValue(char* dest, std::size_t size, const char* value, const char* mask) noexcept;

// A raw-form date rendered under mask (null or empty: the default date mask).
void MakeDateFormattedValue(char* dest, std::size_t size, const char* value,
                            const char* mask) noexcept;

}  // namespace zorva
