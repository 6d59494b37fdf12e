#include "platform/float_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zorva {
namespace {

constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

#if defined(__SIZEOF_INT128__)
using u128 = unsigned __int128;

constexpr u128 Pow10(int k) noexcept {
  u128 p = 1;
  while (k-- > 0) p *= 10;
  return p;
}

// floor(value * 10^p) and whether the dropped part is below, at or above one
// half (-1, 0, 1), for value = m * 2^e; false when it needs more than 128 bits.
bool ScaledFloor(std::uint64_t m, int e, int p, std::uint64_t& n, int& half) noexcept {
  if (p < 0 || p > 22) return false;
  const u128 scaled = m * Pow10(p);  // < 2^127
  if (e >= 0) {
    if (e > 60 || scaled >> (64 - e) != 0) return false;  // the result needs 64 bits at most
    n = static_cast<std::uint64_t>(scaled << e);
    half = -1;
    return true;
  }
  const int q = -e;
  if (q > 127) return false;
  const u128 whole = scaled >> q;
  if (whole >> 64) return false;
  const u128 rest = scaled - (whole << q);
  const u128 halfway = static_cast<u128>(1) << (q - 1);
  n = static_cast<std::uint64_t>(whole);
  half = rest < halfway ? -1 : rest == halfway ? 0 : 1;
  return true;
}

char* WriteScientific(char* first, char* last, std::uint64_t n, int digits, int exponent) noexcept {
  char text[48];
  char* p = text;
  char mantissa[20];
  for (int i = digits - 1; i >= 0; --i, n /= 10) mantissa[i] = static_cast<char>('0' + n % 10);
  *p++ = mantissa[0];
  if (digits > 1) {
    *p++ = '.';
    std::memcpy(p, mantissa + 1, static_cast<std::size_t>(digits - 1));
    p += digits - 1;
  }
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  const int a = exponent < 0 ? -exponent : exponent;
  if (a >= 100) *p++ = static_cast<char>('0' + a / 100);
  *p++ = static_cast<char>('0' + a / 10 % 10);
  *p++ = static_cast<char>('0' + a % 10);
  const std::size_t n_written = static_cast<std::size_t>(p - text);
  if (n_written > static_cast<std::size_t>(last - first)) return first;
  std::memcpy(first, text, n_written);
  return first + n_written;
}

// The integer path: positive normal doubles whose digits fit 128-bit arithmetic.
bool ScientificFast(char* first, char* last, double value, int precision, char*& end) noexcept {
  if (!(value > 0) || !std::isfinite(value) || precision < 0 || precision > 17) return false;
  std::uint64_t bits;  // std::bit_cast is missing from the WebAssembly C++ library
  std::memcpy(&bits, &value, sizeof bits);
  const int field = static_cast<int>(bits >> 52);
  if (field == 0) return false;  // subnormal
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = field - 1075;
  const int digits = precision + 1;
  const auto low = static_cast<std::uint64_t>(Pow10(digits - 1));
  const auto high = static_cast<std::uint64_t>(Pow10(digits));
  // floor(log10(2^(e + 52))): the decimal exponent or one below it.
  int exponent = ((e + 52) * 78913) >> 18;
  std::uint64_t n = 0;
  int half = -1;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 3 || !ScaledFloor(m, e, digits - 1 - exponent, n, half)) return false;
    if (n >= high) {
      ++exponent;
    } else if (n < low) {
      --exponent;
    } else {
      break;
    }
  }
  if (half > 0 || (half == 0 && (n & 1))) ++n;
  if (n == high) {
    n = low;
    ++exponent;
  }
  end = WriteScientific(first, last, n, digits, exponent);
  return true;
}

#else
// Without 128-bit integers (32-bit targets, which use <charconv> anyway)
// every value takes the C library's path.
bool ScientificFast(char*, char*, double, int, char*&) noexcept { return false; }
#endif

}  // namespace

char* ScientificTextPortable(char* first, char* last, double value, int precision) noexcept {
  char* end = first;
  if (ScientificFast(first, last, value, precision, end)) return end;
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
    if (ok && (m == 0 || (exponent >= -22 && exponent <= 22))) {
      const double d = static_cast<double>(m);
      value = m == 0 ? 0.0 : exponent >= 0 ? d * kExactPow10[exponent] : d / kExactPow10[-exponent];
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
