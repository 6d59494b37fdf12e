// Reading a date typed under a date mask.
#pragma once

#include "date/calendar.h"

namespace zorva {

struct IntlSettings;

// Most tokens a value is cut into; later ones are ignored.
inline constexpr int kMaxDateTokens = 15;

// Reads value under mask into parts. Never fails: unreadable parts become 0,
// placeholders -1, parts the mask does not name default to 1/1/1900. An
// absent or empty value, or one with nothing readable, sets parts.empty.
// strictNames asks month names to be spelled in full.
void ParseDate(const char* value, const char* mask, DateParts& parts, bool strictNames,
               const IntlSettings& s) noexcept;

}  // namespace zorva
