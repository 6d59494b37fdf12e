#include "date/int_text.h"

#include "platform/codepage.h"

namespace zorva {

std::int32_t ParseSignedInt(const char* text, std::size_t length, char negativeSign) noexcept {
  if (!text || length == 0) return 0;
  std::size_t start = 0;
  bool negate = false;
  if (text[0] == negativeSign) {
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

}  // namespace zorva
