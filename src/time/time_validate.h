// Strict reading of an entered time: every field the mask asks for must be all
// digits and in range, and an entered designator must agree with the hour.
#pragma once

#include <cstddef>

#include "time/time_mask.h"

namespace zorva {

struct IntlSettings;

// Whether `value` is an acceptable time under `mask` (the empty value is
// decided by the caller). Null texts read as empty.
bool ValidateTime(const char* value, const char* mask, const IntlSettings& s) noexcept;

// Cuts `value` at spaces and `separator` (the settings' sTime when 0) and
// stores the spans of hours, minutes, seconds and the designator in `layout`
// by the mask's token ordinals; the last unassigned field is the designator.
void SplitTimeValue(const char* value, TimeLayout& layout, char separator,
                    const IntlSettings& s) noexcept;

// Whether the first `length` characters of text are not all digits (a text
// shorter than `length` counts as having a non-digit; length 0 gives false).
bool HasNonDigit(const char* text, std::size_t length) noexcept;

// Reads the fields that SplitTimeValue located, applying the designator rules
// of the mask's AM/PM pair; hours 24 comes back as 0.
TimeValue ReadTimeFields(const char* value, const TimeLayout& layout) noexcept;

}  // namespace zorva
