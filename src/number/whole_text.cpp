// A raw whole number under a format that is one run of placeholders and
// separators ("#,##0"), read from the format's text: what the dispatcher
// asks once per value, so the run is read in the same pass that checks it
// and the digits are copied once, as they are checked.
#include "number/number.h"
#include "number/number_internal.h"

#include <cstring>

namespace zorva {

using number_detail::IsDigit;
using number_detail::IsLiteralLead;
using number_detail::kMaxWholeLength;

static_assert(kWholeTextBytes > 2 * kMaxWholeLength + 1, "room for a sign, the digits and their separators");

int ConvertWholeText(char* dest, std::size_t size, const char* text, const char* format, char point, char sep,
                     const char* currencySymbol, const IntlSettings& s) noexcept {
  const char* f = format;
  if (!f || size < kWholeTextBytes) return -1;
  // Separators that other rules could also claim (a space is trimmed, ";"
  // splits, a decimal separator) leave the format to the general walk.
  const auto placeholder = [](char c) { return c == '0' || c == '#'; };
  if (!placeholder(f[0]) || placeholder(point) || placeholder(sep) || sep == ' ' || sep == ';' ||
      (sep && sep == point)) {
    return -1;
  }
  std::size_t zeros = 0, group = 0;
  bool grouped = false;
  for (char c; (c = *f) != '\0'; ++f) {
    if (c == '#') {
      ++group;
    } else if (c == '0') {
      ++zeros;
      ++group;
    } else if (c == sep) {
      grouped = true;
      group = 0;
    } else {
      return -1;
    }
  }
  if (zeros > kMaxWholeLength) return -1;

  // The sign and 1 to 15 digits, which are read exactly: the number shown
  // is these digits without their leading zeros. They are copied behind
  // room for the zeros a longer run shows, and with room after them for
  // the fixed copies below.
  const NumberRequest from{s.sRawWholeFormat, currencySymbol, s.sDecimal, s.sThousand};
  if (!number_detail::RawTextReadable(text[0], from, s)) return -1;
  const char* p = text;
  const bool negative = *p == s.sNegativeSign;
  if (negative) ++p;
  char own[kMaxWholeLength + 16 + 8];
  char* const first = own + kMaxWholeLength;
  std::size_t digits = 0;
  for (; digits < 16 && IsDigit(p[digits]); ++digits) first[digits] = p[digits];
  if (p[digits] || digits == 0 || digits > 15) return -1;
  std::size_t skipped = 0;
  while (skipped < digits && first[skipped] == '0') ++skipped;
  const std::size_t count = digits - skipped;
  // No negative zero; the sign leads a one-section format.
  const char lead = negative && count > 0 ? s.sNegativeSign : 0;
  if (lead && !IsLiteralLead(lead, point, sep)) return -1;

  char* shown = first + skipped;
  std::size_t length = count;
  if (zeros > count) {
    shown -= zeros - count;
    std::memset(shown, '0', zeros - count);
    length = zeros;
  }
  char* out = dest;
  if (lead) *out++ = lead;
  // A group of one never splits ("#,#" shows "1234"). Groups of up to
  // eight digits go as fixed copies of eight bytes, which both buffers have
  // room for past what counts.
  const bool split = grouped && group >= 2 && length > group;
  std::size_t k = !split ? length : length % group == 0 ? group : length % group;
  const auto copy = [&](std::size_t from, std::size_t n) {
    if (n <= 8) {
      std::memcpy(out, shown + from, 8);
    } else {
      std::memcpy(out, shown + from, n);
    }
    out += n;
  };
  copy(0, k);
  for (; k < length; k += group) {
    *out++ = sep;
    copy(k, group);
  }
  *out = '\0';
  return static_cast<int>(out - dest);
}

}  // namespace zorva
