// Plain decimal text of automation numbers: what the number engines read
// back, so no grouping and no exponent unless the answer could not hold it.
#include <cmath>
#include <cstring>

#include "intl/settings.h"
#include "number/number_internal.h"
#include "service/answer_size.h"
#include "service/variant_text.h"

namespace zorva {
namespace {

std::size_t CopyOut(char* dest, std::size_t size, const char* text, std::size_t length) noexcept {
  if (!dest || size == 0) return 0;
  if (length > size - 1) length = size - 1;
  std::memcpy(dest, text, length);
  dest[length] = '\0';
  return length;
}

char DecimalSeparator() noexcept {
  const char sep = Intl().sDecimal;
  return sep ? sep : '.';
}

// Writes significant digits d[0..n) times 10^exponent (d[0] in the units
// place when exponent is 0), in plain notation when it fits the answer.
std::size_t WriteDigits(char* dest, std::size_t size, bool negative, const char* d, int n,
                        int exponent) noexcept {
  char out[kAnswerChars + 40];
  std::size_t len = 0;
  if (negative) out[len++] = '-';
  const std::size_t plain = len + (exponent >= 0
                                       ? static_cast<std::size_t>(exponent) + 1 +
                                             (n > exponent + 1 ? 1 + n - (exponent + 1) : 0)
                                       : 2 + static_cast<std::size_t>(-exponent - 1) + n);
  const char sep = DecimalSeparator();
  if (plain <= kAnswerChars) {
    if (exponent >= 0) {
      for (int i = 0; i <= exponent; ++i) out[len++] = i < n ? d[i] : '0';
      if (n > exponent + 1) {
        out[len++] = sep;
        for (int i = exponent + 1; i < n; ++i) out[len++] = d[i];
      }
    } else {
      out[len++] = '0';
      out[len++] = sep;
      for (int i = 0; i < -exponent - 1; ++i) out[len++] = '0';
      for (int i = 0; i < n; ++i) out[len++] = d[i];
    }
  } else {
    // Too long for the answer: a signed exponent, which the parser reads.
    out[len++] = d[0];
    if (n > 1) {
      out[len++] = sep;
      for (int i = 1; i < n; ++i) out[len++] = d[i];
    }
    out[len++] = 'E';
    out[len++] = exponent < 0 ? '-' : '+';
    char rev[8];
    int k = 0;
    for (int e = exponent < 0 ? -exponent : exponent; k == 0 || e > 0; e /= 10) {
      rev[k++] = static_cast<char>('0' + e % 10);
    }
    while (k > 0) out[len++] = rev[--k];
  }
  return CopyOut(dest, size, out, len);
}

}  // namespace

std::size_t FormatIntegerText(char* dest, std::size_t size, bool negative,
                              std::uint64_t magnitude) noexcept {
  char out[24];
  char* p = out + sizeof out;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  // "-0" is no number anyone writes.
  if (negative && !(p[0] == '0' && p + 1 == out + sizeof out)) *--p = '-';
  return CopyOut(dest, size, p, static_cast<std::size_t>(out + sizeof out - p));
}

std::size_t FormatRealText(char* dest, std::size_t size, double value, int digits) noexcept {
  if (!std::isfinite(value)) return CopyOut(dest, size, "", 0);
  if (value == 0) return CopyOut(dest, size, "0", 1);
  if (digits < 1) digits = 1;
  if (digits > 17) digits = 17;
  // Correctly rounded from the exact binary value, as "%e" rounds.
  char d[20];
  int n = digits;
  int exponent = 0;
  number_detail::SignificantDigits(value, digits, d, exponent);
  const bool negative = value < 0;
  while (n > 1 && d[n - 1] == '0') --n;
  return WriteDigits(dest, size, negative, d, n, exponent);
}

std::size_t FormatScaledText(char* dest, std::size_t size, bool negative, std::uint32_t hi,
                             std::uint64_t lo, int scale) noexcept {
  if (scale < 0 || scale > 28) return CopyOut(dest, size, "", 0);
  // Long division of the 96-bit magnitude by ten, digit by digit.
  std::uint32_t limbs[3] = {hi, static_cast<std::uint32_t>(lo >> 32), static_cast<std::uint32_t>(lo)};
  char rev[40];
  int n = 0;
  do {
    std::uint64_t rest = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t cur = (rest << 32) | limb;
      limb = static_cast<std::uint32_t>(cur / 10);
      rest = cur % 10;
    }
    rev[n++] = static_cast<char>('0' + rest);
  } while (limbs[0] | limbs[1] | limbs[2]);
  while (n <= scale) rev[n++] = '0';  // at least one digit before the separator
  int fraction = scale;
  int first = 0;
  while (fraction > 0 && rev[first] == '0') {  // trailing fraction zeros go
    ++first;
    --fraction;
  }
  char out[48];
  std::size_t len = 0;
  const bool zero = n - first == 1 && rev[n - 1] == '0';
  if (negative && !zero) out[len++] = '-';
  for (int i = n - 1; i >= first; --i) {
    out[len++] = rev[i];
    if (i == first + fraction && fraction > 0) out[len++] = DecimalSeparator();
  }
  return CopyOut(dest, size, out, len);
}

}  // namespace zorva
