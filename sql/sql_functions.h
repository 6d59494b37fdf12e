// What the SQLite and PostgreSQL functions share: value types named in SQL,
// SQL numbers and dates turned into the raw text of a type, and the three
// answers in UTF-8 without exceptions (both databases call from C).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "service/prepared_number.h"
#include "zorva/types.h"

namespace zorva::sql {

// A value type named in SQL: zorva::ValueTypeNamed.
using zorva::ValueTypeNamed;
// The number when it is a value type (0..17), else -1.
int ValueTypeNumbered(long long number) noexcept;

// The error text for a type argument that names no value type.
inline constexpr const char* kUnknownTypeHint =
    "a value type is a name such as 'currency' or 'tkMECurrency', or a number from 0 to 17";

// Room for any answer: 255 characters of the code page, each at most 3 bytes
// of UTF-8, and a terminator.
inline constexpr std::size_t kAnswerSize = 255 * 3 + 1;

// The raw text, in UTF-8, that the formatted-value entry point makes of an
// automation value for the type: a whole number as VT_I8, a real as VT_R8, a
// day count since 30 December 1899 as VT_DATE. Returns its length (0 for
// none: NaN, infinities, dates out of range, the pass-through types).
std::size_t RawTextOfInteger(int type, std::int64_t value, char (&dest)[kAnswerSize]) noexcept;
std::size_t RawTextOfReal(int type, double value, char (&dest)[kAnswerSize]) noexcept;
std::size_t RawTextOfDate(int type, double days, char (&dest)[kAnswerSize]) noexcept;

// The entry points' answers for UTF-8 mask and value. False when memory for a
// long argument ran out; nothing else fails.
bool IsValid(int type, std::string_view mask, std::string_view value, bool& valid) noexcept;
bool RawValue(int type, std::string_view mask, std::string_view value,
              char (&dest)[kAnswerSize], std::size_t& length) noexcept;
bool FormattedValue(int type, std::string_view mask, std::string_view value,
                    char (&dest)[kAnswerSize], std::size_t& length) noexcept;

// A type and mask made ready once for the rows of a statement. Plain data:
// each database keeps it in its own memory, and it needs no clean-up.
struct Prepared {
  int type;
  std::size_t maskLength;
  char mask[64];  // as given, in UTF-8
  PreparedNumber number;
};
// Prepares for the type and UTF-8 mask; false for a mask too long to keep,
// whose rows take the functions above.
bool Prepare(Prepared& prepared, int type, std::string_view mask) noexcept;
// Whether `prepared` was made for this type and mask.
inline bool IsPreparedFor(const Prepared& prepared, int type, std::string_view mask) noexcept {
  return prepared.type == type && prepared.maskLength == mask.size() &&
         std::memcmp(prepared.mask, mask.data(), mask.size()) == 0;
}
// The answers above for the prepared type and mask. `terminated`: a zero
// byte follows the value, which can then be read where it lies.
bool IsValid(const Prepared& prepared, std::string_view value, bool terminated, bool& valid) noexcept;
bool RawValue(const Prepared& prepared, std::string_view value, bool terminated,
              char (&dest)[kAnswerSize], std::size_t& length) noexcept;

// RawValue for a zero-terminated value, its usual case inline.
inline bool TerminatedRawValue(const Prepared& prepared, std::string_view value,
                               char (&dest)[kAnswerSize], std::size_t& length) noexcept {
  const std::ptrdiff_t n = PreparedRawValue(prepared.number, value.data(), value.size(), dest, kAnswerSize);
  if (n < 0) return RawValue(prepared.type, {prepared.mask, prepared.maskLength}, value, dest, length);
  length = static_cast<std::size_t>(n);
  return true;
}

}  // namespace zorva::sql
