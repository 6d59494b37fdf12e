// Fixed-point digits of a double, rounded the way the C runtime's _fcvt does:
// on the 17-significant-digit decimal form, half up, at the asked place. So
// 1.005 (1.0049999999999999) at 2 places gives "100", not "101".
#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "number/number.h"
#include "number/number_internal.h"
#include "platform/float_text.h"

namespace zorva {
namespace number_detail {

namespace {

constexpr int kSignificant = 17;
constexpr int kMaxDigits = 348;  // the runtime's conversion buffer, less its terminator

// Fractions take 128-bit products; a target without them (i686) converts
// those through the library instead.
#if defined(__SIZEOF_INT128__)
using Wide = unsigned __int128;

constexpr int kMaxPow5 = 32;  // 2^53 * 5^32 < 2^128

constexpr Wide Pow5(int k) {
  Wide r = 1;
  while (k-- > 0) r *= 5;
  return r;
}

template <int... K>
constexpr std::array<Wide, sizeof...(K)> Pow5Table(std::integer_sequence<int, K...>) {
  return {Pow5(K)...};
}
constexpr auto kPow5 = Pow5Table(std::make_integer_sequence<int, kMaxPow5 + 1>{});
#endif

constexpr std::uint64_t kPow10[20] = {1ull,
                                      10ull,
                                      100ull,
                                      1000ull,
                                      10000ull,
                                      100000ull,
                                      1000000ull,
                                      10000000ull,
                                      100000000ull,
                                      1000000000ull,
                                      10000000000ull,
                                      100000000000ull,
                                      1000000000000ull,
                                      10000000000000ull,
                                      100000000000000ull,
                                      1000000000000000ull,
                                      10000000000000000ull,
                                      100000000000000000ull,
                                      1000000000000000000ull,
                                      10000000000000000000ull};

constexpr std::uint64_t Pow10(int k) { return kPow10[k]; }

void PutDigits(char* digits, int count, std::uint64_t q) {
  if (count == kSignificant) {  // the usual count, unrolled
    for (int i = kSignificant - 1; i >= 0; --i) {
      digits[i] = static_cast<char>('0' + q % 10);
      q /= 10;
    }
    return;
  }
  for (int i = count - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + q % 10);
    q /= 10;
  }
}

// q + 1 when the dropped part (rest out of 2 * half) rounds it up: above
// half, or exactly half with q odd, as a correctly rounded conversion does.
template <typename Int>
std::uint64_t RoundHalfEven(std::uint64_t q, Int rest, Int half) {
  return rest > half || (rest == half && (q & 1)) ? q + 1 : q;
}

// SignificantDigits in exact integer arithmetic, as one integer q of
// `count` digits: v is m * 2^e with m below 2^53. False outside the range where the products fit 128 bits (below
// 1e-16 or from 2^64 on).
bool ExactSignificant(double v, int count, std::uint64_t& q, int& exponent) {
  std::uint64_t bits;  // std::bit_cast is missing from the WebAssembly C++ library
  std::memcpy(&bits, &v, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0) return false;  // subnormal: far below the range
  const std::uint64_t m = (bits & ((1ull << 52) - 1)) | (1ull << 52);
  const int e = biased - 1075;
  const std::uint64_t low = Pow10(count - 1), high = Pow10(count);
  if (e >= 0) {
    if (e > 11) return false;
    // A whole number below 2^64: its digits, rounded to `count` when longer.
    const std::uint64_t n = m << e;
    int length = 1;
    while (length < 20 && n >= Pow10(length)) ++length;
    exponent = length - 1;
    if (length <= count) {
      q = n * Pow10(count - length);
      return true;
    }
    const std::uint64_t divisor = Pow10(length - count);
    q = RoundHalfEven(n / divisor, n % divisor, divisor / 2);
    if (q == high) q = low, ++exponent;
    return true;
  }
#if defined(__SIZEOF_INT128__)
  // v = m / 2^-e; its decimal exponent is close to that of 2^(e + 52).
  exponent = ((e + 52) * 78913) >> 18;  // floor(log10 2^(e+52)), or one below
  for (int tries = 0; tries < 3; ++tries) {
    const int s = count - 1 - exponent;  // v * 10^s holds `count` whole digits
    const int shift = -e - s;
    if (s < 0 || s > kMaxPow5 || shift < 0 || shift >= 128) return false;
    const Wide n = static_cast<Wide>(m) * kPow5[static_cast<std::size_t>(s)];
    const Wide whole = n >> shift;
    if (whole < low) {
      --exponent;
      continue;
    }
    if (whole >= high) {
      ++exponent;
      continue;
    }
    q = static_cast<std::uint64_t>(whole);
    if (shift > 0) {
      q = RoundHalfEven(q, n & ((static_cast<Wide>(1) << shift) - 1),
                        static_cast<Wide>(1) << (shift - 1));
    }
    if (q == high) q = low, ++exponent;
    return true;
  }
#endif
  return false;
}

// The same through the library's correctly rounded conversion, for the rest.
void LibrarySignificant(double v, int count, char* digits, int& exponent) {
  // "d.ddd...e+XX": exactly `count` significant digits, correctly rounded.
  char text[48];
  const char* end = ScientificText(text, text + sizeof text, v, count - 1);
  const char* e = std::find(static_cast<const char*>(text), end, 'e');
  digits[0] = text[0];
  if (count > 1) std::memcpy(digits + 1, text + 2, static_cast<std::size_t>(count - 1));
  int magnitude = 0;
  for (const char* d = e + 2; d < end; ++d) magnitude = magnitude * 10 + (*d - '0');
  exponent = e[1] == '-' ? -magnitude : magnitude;
}

}  // namespace

void SignificantDigits(double v, int count, char* digits, int& exponent) noexcept {
  v = std::fabs(v);
  if (std::uint64_t q; ExactSignificant(v, count, q, exponent)) {
    PutDigits(digits, count, q);
  } else {
    LibrarySignificant(v, count, digits, exponent);
  }
}

FcvtDigits Fcvt(double magnitude, int places) noexcept {
  FcvtDigits r;
  double v = std::fabs(magnitude);
  if (std::isnan(v)) v = 0;
  if (std::isinf(v)) v = DBL_MAX;
  if (places < 0) places = 0;

  if (v >= 1 && v < 9007199254740992.0) {
    const auto whole = static_cast<std::uint64_t>(v);
    if (static_cast<double>(whole) == v) {
      // A whole number below 2^53: its digits are all there is, with
      // nothing to round at any place; the places after it are zeros.
      // At most 16 digits: they fit, and the integer conversion is exact.
      const int n = static_cast<int>(std::to_chars(r.digits, r.digits + sizeof r.digits, whole).ptr -
                                     r.digits);
      r.kept = n;
      r.point = n;
      r.length = n + std::min(places, kMaxDigits - n);
      return r;
    }
  }

  if (std::uint64_t q; v != 0 && ExactSignificant(v, kSignificant, q, r.point)) {
    // The same rounding on the 17-digit integer: keep the digits before the
    // place, add one when the next is 5 or more.
    ++r.point;
    if (r.point + places > kMaxDigits) places = kMaxDigits - r.point;
    const int wanted = r.point + places;
    if (wanted < 0) {
      return r;  // all digits fall below the last place: nothing, no rounding
    }
    if (wanted >= kSignificant) {
      PutDigits(r.digits, kSignificant, q);
      r.kept = kSignificant;
      r.length = wanted;
      return r;
    }
    std::uint64_t kept = q / Pow10(kSignificant - wanted);
    if ((q / Pow10(kSignificant - 1 - wanted)) % 10 >= 5) ++kept;
    if (kept == Pow10(wanted)) {  // a carry out of the top digit (9.99 -> 10.0)
      ++r.point;
      r.digits[0] = '1';
      std::memset(r.digits + 1, '0', static_cast<std::size_t>(wanted));
      r.kept = r.length = wanted + 1;
      return r;
    }
    PutDigits(r.digits, wanted, kept);
    r.kept = r.length = wanted;
    return r;
  }

  char mantissa[kSignificant];
  int significant = 0;
  int point = 0;  // zero has no digits and its point at 0
  if (v != 0) {
    SignificantDigits(v, kSignificant, mantissa, point);
    ++point;
    significant = kSignificant;
  }
  if (point + places > kMaxDigits) places = kMaxDigits - point;

  r.point = point;
  const int wanted = point + places;
  if (wanted < 0) return r;  // all digits fall below the last place: nothing, no rounding

  // digits[0] takes a carry out of the top digit (9.99 -> 10.0).
  const int keep = std::min(wanted, significant);
  r.digits[0] = '0';
  std::memcpy(r.digits + 1, mantissa, static_cast<std::size_t>(keep));
  if (wanted < significant && mantissa[wanted] >= '5') {
    int i = keep;
    while (r.digits[i] == '9') r.digits[i--] = '0';
    ++r.digits[i];
  }
  if (r.digits[0] == '1') {
    ++r.point;
    r.kept = keep + 1;
    r.length = wanted + 1;
  } else {
    std::memmove(r.digits, r.digits + 1, static_cast<std::size_t>(keep));
    r.kept = keep;
    r.length = wanted;
  }
  return r;
}

}  // namespace number_detail

}  // namespace zorva
