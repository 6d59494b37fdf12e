// The masked-edit value service for C++: three questions about one field
// value, given a value type, a mask and the value, in UTF-8.
//
//   IsValidUtf8            is this entered text valid?
//   GetRawValueUtf8        what raw value is behind this text?
//   GetFormattedValueUtf8  how does this raw value look under the mask?
//
// Inside, text is the ANSI code page: a character it lacks becomes "?", and
// so does an embedded NUL, so that no part of a value or mask goes
// unchecked. An empty mask selects the type's default mask. The automation
// form of the same questions (BSTRs, VARIANTs) is in zorva/automation.h.
//
// Bounds. Values and masks of any length are taken, in time linear in their
// length, and every answer is at most 255 characters (ZORVA_MAX_ANSWER bytes
// of UTF-8): a longer one keeps its first 255 (both answers for a text
// without a mask its first 254). The checks of numbers, dates and times read
// the first 63 characters of a mask; a character mask is read whole, and a
// value is never valid under one when the characters its placeholders take
// pass 255. A type number outside 0..17 is treated like the unchecked types:
// any value is valid, both answers are empty. A number written with a signed
// exponent ("1.5E+3") is never valid; its raw value is still read ("1500").
// The calls may run on any number of threads at once; they throw
// std::bad_alloc only when memory for a very long argument cannot be had.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zorva/export.h"
#include "zorva/types.h"

namespace zorva {

ZORVA_API bool IsValidUtf8(std::int32_t valueType, std::string_view mask, std::string_view value);
ZORVA_API std::string GetRawValueUtf8(std::int32_t valueType, std::string_view mask,
                                      std::string_view value);
// The value is a raw value given as text.
ZORVA_API std::string GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                            std::string_view value);

// The same into a caller's buffer, without allocating for values up to a few
// hundred characters: writes at most size - 1 bytes and a terminator,
// returns the length written.
ZORVA_API std::size_t GetRawValueUtf8(std::int32_t valueType, std::string_view mask,
                                      std::string_view value, char* dest, std::size_t size);
ZORVA_API std::size_t GetFormattedValueUtf8(std::int32_t valueType, std::string_view mask,
                                            std::string_view value, char* dest, std::size_t size);

namespace detail {
struct Preparation;  // the library's own
}

// A value type and mask made ready once, for callers that answer many values
// under them (a stream, an import, a database statement): the overloads
// below give the same answers as the ones taking the mask as text, without
// reading the mask again.
class PreparedMask {
 public:
  ZORVA_API PreparedMask(std::int32_t valueType, std::string_view mask);
  std::int32_t valueType() const noexcept { return valueType_; }
  // What the library made of the mask; opaque.
  const detail::Preparation& state() const noexcept { return *state_; }

 private:
  std::int32_t valueType_;
  // Freed by the library's own function, which the constructor sets.
  std::unique_ptr<detail::Preparation, void (*)(detail::Preparation*)> state_;
};

ZORVA_API bool IsValidUtf8(const PreparedMask& mask, std::string_view value);
ZORVA_API std::size_t GetRawValueUtf8(const PreparedMask& mask, std::string_view value, char* dest,
                                      std::size_t size);
ZORVA_API std::size_t GetFormattedValueUtf8(const PreparedMask& mask, std::string_view value,
                                            char* dest, std::size_t size);

}  // namespace zorva
