#include "platform/float_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/powers_of_ten.h"

namespace zorva {

char* ScientificTextPortable(char* first, char* last, double value, int precision) noexcept {
  // The C library's conversion is exact, though slow; the number engine asks
  // for it only outside the magnitudes its own integer path covers.
  const int room = static_cast<int>(last - first);
  const int n = std::snprintf(first, static_cast<std::size_t>(room), "%.*e", precision, value);
  return first + (n < 0 ? 0 : n < room ? n : room - 1);
}

std::errc ReadDoublePortable(const char* first, const char* last, double& value) noexcept {
  // Fast path: at most 15 digits and a power of ten that a double holds
  // exactly, so one correctly rounded multiplication or division.
  const char* p = first;
  std::uint64_t m = 0;
  int digits = 0;
  while (p < last && *p >= '0' && *p <= '9') {
    if (m != 0 || *p != '0') ++digits;
    m = m * 10 + static_cast<std::uint64_t>(*p++ - '0');
    if (digits > 15) break;
  }
  if (digits <= 15 && p > first && (p == last || *p == 'e' || *p == 'E')) {
    int exponent = 0;
    bool ok = true;
    if (p < last) {
      ++p;
      const bool negative = p < last && *p == '-';
      if (p < last && (*p == '-' || *p == '+')) ++p;
      ok = p < last;
      for (; p < last && ok; ++p) {
        ok = *p >= '0' && *p <= '9' && exponent < 1000;
        exponent = exponent * 10 + (*p - '0');
      }
      if (negative) exponent = -exponent;
    }
    if (ok && (m == 0 || (exponent >= -kMaxExactPowerOfTen && exponent <= kMaxExactPowerOfTen))) {
      const double d = static_cast<double>(m);
      value = m == 0 ? 0.0 : exponent >= 0 ? d * ExactPowerOfTen(static_cast<std::size_t>(exponent))
                                             : d / ExactPowerOfTen(static_cast<std::size_t>(-exponent));
      return std::errc{};
    }
  }
  char text[1024];  // strtod reads a terminated copy
  const std::size_t n = static_cast<std::size_t>(last - first);
  if (n == 0 || n >= sizeof text) return std::errc::invalid_argument;
  std::memcpy(text, first, n);
  text[n] = '\0';
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text) return std::errc::invalid_argument;
  if (std::isinf(v)) return std::errc::result_out_of_range;
  if (v == 0) {
    // Zero is in range only when every digit of the mantissa is zero.
    for (const char* d = text; d < end && *d != 'e' && *d != 'E'; ++d) {
      if (*d >= '1' && *d <= '9') return std::errc::result_out_of_range;
    }
  }
  value = v;
  return std::errc{};
}

}  // namespace zorva
