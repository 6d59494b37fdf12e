// Digit values for the time readers. The code page's digit test also passes
// the superscripts one, two and three; they count as the digits they show.
#pragma once

#include <cstdint>

namespace zorva {

inline std::int32_t TimeDigitValue(char c) noexcept {
  switch (static_cast<unsigned char>(c)) {
    case 0xB9: return 1;
    case 0xB2: return 2;
    case 0xB3: return 3;
    default: return static_cast<unsigned char>(c) - '0';
  }
}

// Appends a digit to a running number; runs too long for 32 bits stay at the
// largest value, which no range check accepts.
inline std::int32_t AppendTimeDigit(std::int32_t number, char c) noexcept {
  constexpr std::int32_t kMax = INT32_MAX;
  std::int32_t d = TimeDigitValue(c);
  if (number > (kMax - d) / 10) return kMax;
  return number * 10 + d;
}

}  // namespace zorva
