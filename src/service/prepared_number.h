// The number part of a PreparedMask: a number type's mask read once for many
// values (its sections, negative marker and decimals), each value then read
// in place when it is plain ASCII. The answers are the UTF-8 entry points'
// answers, or -1 where those must give them (another type, a currency swap,
// a value outside ASCII).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "number/number.h"
#include "number/number_internal.h"
#include "service/value_types.h"

namespace zorva {

struct PreparedNumber {
  number_detail::NumberReader reader;
  EditType editType = etText;
  bool ready = false;     // false: every value goes to the entry points
  bool rawReady = false;  // ready, and the raw text is ASCII: written straight as UTF-8
  // The raw format when it is "0" or "0.#" (a point): the raw text is then
  // written here from the digits read; 0 when WriteRawNumber must.
  char rawShape = 0;  // '0', '.' or 0
  char rawPoint = 0;
  char negativeSign = 0;
};

// For the value type and a UTF-8 mask, under the settings in force now.
void PrepareNumber(PreparedNumber& prepared, std::int32_t valueType, std::string_view mask) noexcept;

// IsValidUtf8 and GetRawValueUtf8 for a value zero-terminated at
// value[length]; -1 where they must answer. The raw value is written only
// into a buffer of at least kAnswerBytes (answer_size.h).
int PreparedIsValid(const PreparedNumber& prepared, const char* value, std::size_t length) noexcept;
std::ptrdiff_t PreparedRawValue(const PreparedNumber& prepared, const char* value, std::size_t length,
                                char* dest, std::size_t size) noexcept;

// The last steps of ValidateValue and MakeRawValue for a number read from
// `value`, shared with the prepared path: the type's range limits on a
// read verdict, and the raw text written with the type's raw format.
int NumberInRange(int verdict, const NumberParts& parts, EditType e, const char* value,
                  const IntlSettings& s) noexcept;
void WriteRawNumber(char* answer, std::size_t bytes, EditType e, const NumberParts& parts,
                    const IntlSettings& s) noexcept;

}  // namespace zorva
