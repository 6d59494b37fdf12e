// What the SQLite and PostgreSQL functions share: value types named in SQL,
// SQL numbers and dates turned into the raw text of a type, and the three
// answers in UTF-8 without exceptions (both databases call from C), with the
// mask as text or prepared once for a statement's rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/answer_size.h"
#include "service/prepared_mask.h"
#include "zorva/masked_edit.h"
#include "zorva/types.h"

namespace zorva::sql {

// A value type named in SQL: zorva::ValueTypeNamed.
using zorva::ValueTypeNamed;
// The number when it is a value type (0..17), else -1.
int ValueTypeNumbered(long long number) noexcept;

// The error text for a type argument that names no value type.
inline constexpr const char* kUnknownTypeHint =
    "a value type is a name such as 'currency' or 'tkMECurrency', or a number from 0 to 17";

// Room for any answer in UTF-8, and its terminator.
using zorva::kUtf8AnswerBytes;
using Answer = char[kUtf8AnswerBytes];

// The raw text, in UTF-8, that the formatted-value entry point makes of an
// automation value for the type: a whole number as VT_I8, a real as VT_R8, a
// day count since 30 December 1899 as VT_DATE. Returns its length (0 for
// none: NaN, infinities, dates out of range, the pass-through types).
std::size_t RawTextOfInteger(int type, std::int64_t value, Answer& dest) noexcept;
std::size_t RawTextOfReal(int type, double value, Answer& dest) noexcept;
std::size_t RawTextOfDate(int type, double days, Answer& dest) noexcept;
// A decimal number's text as a database writes it ("-12345678901234.56",
// no exponent) taken exactly, as VT_DECIMAL: up to 29 digits with up to 28
// after the point, further fraction digits rounded off. A larger number, or
// NaN and the infinities, goes as a double.
std::size_t RawTextOfDecimal(int type, std::string_view text, Answer& dest) noexcept;

// The entry points' answers for UTF-8 mask and value. False when memory for a
// long argument ran out; nothing else fails.
bool IsValid(int type, std::string_view mask, std::string_view value, bool& valid) noexcept;
bool RawValue(int type, std::string_view mask, std::string_view value, Answer& dest,
              std::size_t& length) noexcept;
bool FormattedValue(int type, std::string_view mask, std::string_view value, Answer& dest,
                    std::size_t& length) noexcept;

// A type and mask prepared for a statement's rows, on the heap (each
// database keeps the pointer with its own clean-up); null when memory ran
// out.
PreparedMask* NewPrepared(int type, std::string_view mask) noexcept;
void DeletePrepared(void* prepared) noexcept;

// The answers above for a prepared type and mask. `terminated`: a zero byte
// follows the value, which can then be read where it lies.
bool IsValid(const PreparedMask& prepared, std::string_view value, bool terminated, bool& valid) noexcept;
bool RawValue(const PreparedMask& prepared, std::string_view value, bool terminated, Answer& dest,
              std::size_t& length) noexcept;
bool FormattedValue(const PreparedMask& prepared, std::string_view value, Answer& dest,
                    std::size_t& length) noexcept;

// IsValid and RawValue for a zero-terminated value, their usual case inline.
inline bool TerminatedIsValid(const PreparedMask& prepared, std::string_view value, bool& valid) noexcept {
  const int answer = QuickPreparedValid(prepared, value);
  if (answer < 0) return IsValid(prepared, value, true, valid);
  valid = answer != 0;
  return true;
}
inline bool TerminatedRawValue(const PreparedMask& prepared, std::string_view value, Answer& dest,
                               std::size_t& length) noexcept {
  const std::ptrdiff_t n = QuickPreparedRaw(prepared, value, dest, kUtf8AnswerBytes);
  if (n < 0) return RawValue(prepared, value, true, dest, length);
  length = static_cast<std::size_t>(n);
  return true;
}

}  // namespace zorva::sql
