// A raw whole number under a format that is one run of placeholders and
// separators ("#,##0"), read from the format's text: what the dispatcher
// asks once per value, so the run is read in the same pass that checks it
// and the digits go to the answer straight from the value.
#include "number/number.h"
#include "number/number_internal.h"

namespace zorva {

using number_detail::IsDigit;
using number_detail::IsLiteralLead;
using number_detail::kMaxWholeLength;

static_assert(kWholeTextBytes > 2 * kMaxWholeLength + 1, "room for a sign, the digits and their separators");

int ConvertWholeText(char* dest, std::size_t size, const char* text, const NumberConversion& conversion,
                     const IntlSettings& s) noexcept {
  const char point = conversion.outDecimalSep;
  const char sep = conversion.outThousandSep;
  const char* f = conversion.toFormat;
  if (!f || !text || !conversion.fromFormat || size < kWholeTextBytes) return -1;
  // Separators that other rules could also claim (a space is trimmed, ";"
  // splits, a decimal separator) leave the format to the general walk.
  const auto placeholder = [](char c) { return c == '0' || c == '#'; };
  if (!placeholder(f[0]) || placeholder(point) || placeholder(sep) || sep == ' ' || sep == ';' ||
      (sep && sep == point)) {
    return -1;
  }
  std::size_t zeros = 0, group = 0;
  bool grouped = false;
  for (; *f; ++f) {
    if (placeholder(*f)) {
      zeros += *f == '0';
      ++group;
    } else if (sep && *f == sep) {
      grouped = true;
      group = 0;
    } else {
      return -1;
    }
  }
  if (zeros > kMaxWholeLength) return -1;

  // The sign and 1 to 15 digits, which are read exactly: the number shown
  // is these digits without their leading zeros.
  const NumberRequest from{conversion.fromFormat, conversion.currencySymbol, conversion.parseDecimalSep,
                           conversion.parseThousandSep};
  if (!number_detail::RawTextReadable(text[0], from, s)) return -1;
  const char* p = text;
  const bool negative = *p == s.sNegativeSign;
  if (negative) ++p;
  const char* end = p;
  while (IsDigit(*end)) ++end;
  if (*end || end == p || end - p > 15) return -1;
  while (p != end && *p == '0') ++p;
  const auto count = static_cast<std::size_t>(end - p);
  // No negative zero; the sign leads a one-section format.
  const char lead = negative && count > 0 ? s.sNegativeSign : 0;
  if (lead && !IsLiteralLead(lead, point, sep)) return -1;

  const std::size_t pad = zeros > count ? zeros - count : 0;
  const std::size_t length = pad + count;
  // A group of one never splits ("#,#" shows "1234"). `next`: the place
  // before which the next separator goes.
  const bool split = grouped && group >= 2 && length > group;
  std::size_t next = !split ? length : length % group == 0 ? group : length % group;
  char* out = dest;
  if (lead) *out++ = lead;
  for (std::size_t i = 0; i < length; ++i) {
    if (i == next) {
      *out++ = sep;
      next += group;
    }
    *out++ = i < pad ? '0' : p[i - pad];
  }
  *out = '\0';
  return static_cast<int>(out - dest);
}

}  // namespace zorva
