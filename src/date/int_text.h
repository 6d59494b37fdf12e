// Decimal text <-> 32-bit integers, shared by the date and time engines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/bounded_text.h"

namespace zorva {

// Reads an optional leading negativeSign and the first `length` characters
// after it, from the last to the first, each taking a power of ten: a digit
// adds its value times that power, any other character adds nothing ("1x3"
// gives 103). Empty text and a lone sign give 0. Wraps as 32-bit arithmetic
// would for absurdly long runs (callers pass at most a few digits).
std::int32_t ParseSignedInt(const char* text, std::size_t length, char negativeSign) noexcept;

// Writes `magnitude` in decimal, zero-padded on the left to at least `width`
// digits. Inline: dates write three numbers per value.
inline void PutPaddedDigits(BoundedText& out, std::uint32_t magnitude, int width) noexcept {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (width > n) out.Put('0', static_cast<std::size_t>(width - n));
  while (n) out.Put(digits[--n]);
}

}  // namespace zorva
