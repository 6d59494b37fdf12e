// The three questions of the service: is a value valid, what is its raw
// value, how does a raw value look under a mask. One dispatch answers them
// all: it picks the effective mask (the caller's, or the type's default) and
// hands the value to its type's answers (answers.h). A date-time value is cut at its first blank and
// its halves go to the date and time engines.
//
// Bounds chosen for date-time values (each half travels through fixed
// buffers): a mask half is cut to 63 characters; a value half longer than 255
// characters is invalid for ValidateValue and cut to 255 characters for the
// raw and formatted values. A date-time mask without a blank (an empty mask
// included: date-times have no default) makes every non-empty value invalid
// and gives an empty raw and formatted value.
#pragma once

#include <cstddef>
#include <cstdint>

#include "number/number.h"
#include "service/value_types.h"

namespace zorva {

// 1 when value is acceptable for the value type (tkME...) and mask, else 0.
// Empty values and unsupported types are always valid.
int ValidateValue(const char* value, const char* mask, std::int32_t valueType,
                  const IntlSettings& s) noexcept;

// Writes the raw form of an entered value into answer (at most `capacity`
// characters and a terminator; the service passes a 256-byte buffer and 255).
// The answer is always terminated: empty for an empty value or an
// unsupported type. Returns 1.
int MakeRawValue(char* answer, const char* value, const FormatRequest& request,
                 std::size_t capacity, const IntlSettings& s) noexcept;

// Writes a raw value rendered with the request's mask into answer, bounded
// and terminated as MakeRawValue. Returns 1.
int MakeFormattedValue(char* answer, const char* value, const FormatRequest& request,
                       std::size_t capacity, const IntlSettings& s) noexcept;

// For a mask read once for many values: a whole-number type's mask that is
// one run of placeholders and separators ("#,##0") as a key, else 0.
std::uint64_t WholeMaskKey(const FormatRequest& request) noexcept;
// MakeFormattedValue of a raw whole number (`length` bytes, not terminated)
// under the request's mask read into `key`, into `size` bytes: the length
// written, or -1, with nothing written, where MakeFormattedValue must answer.
int FormattedWholeValue(char* answer, std::size_t size, const char* value, std::size_t length,
                        const FormatRequest& request, std::uint64_t key,
                        const IntlSettings& s) noexcept;

// Pads or rounds the fraction of a number text in place (a buffer of 256
// bytes) to the fixed decimals of the conversion's target format.
void FitFractionDigits(char* value, const NumberConversion& conversion,
                       const IntlSettings& s) noexcept;

// The places a currency, single or double raw value with more decimals is
// rounded to in one pass under the effective `mask` (ConvertFittedDecimal),
// or -1 where the request's settings take the general way.
int RoundedPlaces(const char* mask, const FormatRequest& request, const IntlSettings& s) noexcept;

}  // namespace zorva
