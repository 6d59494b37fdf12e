// The module's string table (texts in src/intl/strings.def).
#pragma once

#include <cstddef>

namespace zorva {

// The named strings: kCurrencyMaskId and the like; a run's later members are
// its name plus their offset (kShortMonthNamesId + 2 is "Mar").
enum StringId : unsigned {
#define ZORVA_STRING(name, id, text) name = id,
#define ZORVA_STRING_NEXT(id, text)
#include "intl/strings.def"
#undef ZORVA_STRING
#undef ZORVA_STRING_NEXT
};

struct StringEntry {
  unsigned id;
  const char* text;
};

// The text of a string, or nullptr when the table has no such number.
const char* FindString(unsigned id) noexcept;

// As LoadStringA: copies the string cut to size - 1 characters, always
// terminates a non-empty buffer, returns the characters copied; 0 (and an
// empty buffer) for an unknown number.
int LoadString(unsigned id, char* dest, int size) noexcept;


}  // namespace zorva
