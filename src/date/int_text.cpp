#include "date/int_text.h"

#include <cstring>

#include "intl/settings.h"
#include "platform/codepage.h"

namespace zorva {

std::int32_t ParseSignedInt(const char* text, std::size_t length) noexcept {
  if (!text || length == 0) return 0;
  std::size_t start = 0;
  bool negate = false;
  if (text[0] == Intl().sNegativeSign) {
    negate = true;
    start = 1;
  }
  // Unsigned arithmetic: the 32-bit wrap-around without undefined behaviour.
  std::uint32_t sum = 0;
  std::uint32_t weight = 1;
  for (std::size_t i = length; i > start; --i) {
    char c = text[i - 1];
    if (CrtIsDigit(c)) sum += static_cast<std::uint32_t>(CrtDigitValue(c)) * weight;
    weight *= 10;
  }
  if (negate) sum = 0u - sum;
  return static_cast<std::int32_t>(sum);
}

std::int32_t ParseSignedInt(const char* text) noexcept {
  return text ? ParseSignedInt(text, std::strlen(text)) : 0;
}

std::size_t FormatPaddedInt(char* dest, std::size_t size, std::int32_t value, int width) noexcept {
  if (!dest || size == 0) return 0;
  char buf[16];
  std::size_t n = 0;
  // Unsigned 32-bit digits: the lowest value too, and cheaper divisions.
  std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  do {
    buf[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  std::size_t out = 0;
  auto put = [&](char c) {
    if (out + 1 < size) dest[out++] = c;
  };
  if (value < 0) put(Intl().sNegativeSign);
  // The value 0 counts no digit but is still written as one "0".
  int digits = value == 0 ? 1 : static_cast<int>(n);
  for (int i = digits; i < width; ++i) put('0');
  while (n) put(buf[--n]);
  dest[out] = '\0';
  return out;
}

}  // namespace zorva
