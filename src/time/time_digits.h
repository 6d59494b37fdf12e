// Digit values for the time readers.
#pragma once

#include <cstdint>

#include "platform/codepage.h"

namespace zorva {

inline std::int32_t TimeDigitValue(char c) noexcept { return CrtDigitValue(c); }

// Appends a digit to a running number; runs too long for 32 bits stay at the
// largest value, which no range check accepts.
inline std::int32_t AppendTimeDigit(std::int32_t number, char c) noexcept {
  constexpr std::int32_t kMax = INT32_MAX;
  std::int32_t d = TimeDigitValue(c);
  if (number > (kMax - d) / 10) return kMax;
  return number * 10 + d;
}

}  // namespace zorva
