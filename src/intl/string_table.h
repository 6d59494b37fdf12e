// The module's string table (texts in src/intl/strings.def).
#pragma once

#include <cstddef>

namespace zorva {

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

// Replaces strings by number while it lives, for translated tables; the
// numbers it does not hold keep their built-in text. Not for use while other
// threads read strings. Overrides do not nest.
class StringTableOverride {
 public:
  StringTableOverride(const StringEntry* entries, std::size_t count) noexcept;
  ~StringTableOverride();
  StringTableOverride(const StringTableOverride&) = delete;
  StringTableOverride& operator=(const StringTableOverride&) = delete;
};

// The built-in table, in ascending order of number.
const StringEntry* BuiltinStrings(std::size_t* count) noexcept;

}  // namespace zorva
