// A raw decimal fitted to a mask's fixed decimals and rendered with it, read
// once: the general way writes the fitted text and reads it back twice.
#include <cstdint>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"
#include "platform/powers_of_ten.h"

namespace zorva {
namespace {

using number_detail::IsDigit;

constexpr int kMaxDigits = 15;  // read exactly as one whole number
// Rounding here keeps the digits of the rounded whole number; up to this many
// places they are also what the rounded double shows at 15 places.
constexpr int kMaxRoundedPlaces = 6;

// Whether rendering "0.00;-0.00" with these characters shows the sign, the
// digits and the point as they are: none of them is taken for another role.
bool PlainRoundingFormat(char sign, char point, char thousand) noexcept {
  const auto special = [](char c) {
    return c == '#' || c == '\\' || c == '"' || c == '_' || c == ';';
  };
  return point && !special(point) && !special(sign) && sign != thousand &&
         thousand != ';' && thousand != '0';
}

// What rounding to `places` in one pass takes beyond reading the text.
bool RoundsInOnePass(const NumberConversion& conversion, int places, const IntlSettings& s) noexcept {
  return places > 0 && places <= kMaxRoundedPlaces && s.sDecimal == conversion.parseDecimalSep &&
         PlainRoundingFormat(s.sNegativeSign, conversion.parseDecimalSep, conversion.parseThousandSep);
}

}  // namespace

// The fraction's digits as a whole number `sum` of `count` digits rounded half
// up at `places` (< count), with the double steps of RoundToPlaces, so that
// its ties fall the same way. That function then multiplies the rounded
// whole number by 0.1 `places` times; up to kMaxRoundedPlaces places this
// gives exactly 1 for 10^places alone, a carry into the whole number.
std::uint64_t number_detail::RoundedDigits(std::uint64_t sum, int count, int places, bool& carry) noexcept {
  double scaled = static_cast<double>(sum) / ExactPowerOfTen(static_cast<std::size_t>(count));
  for (int i = 0; i < places; ++i) scaled *= 10;  // zero stays zero, as RoundToPlaces leaves it
  // Below 10^kMaxRoundedPlaces and not negative: truncation is the floor, and
  // needs nothing of the maths library (a static link stays libc alone).
  double whole = static_cast<double>(static_cast<std::uint64_t>(scaled));
  if (scaled - whole >= 0.5) whole += 1;
  carry = whole == ExactPowerOfTen(static_cast<std::size_t>(places));
  return carry ? 0 : static_cast<std::uint64_t>(whole);
}

bool RoundsFittedDecimals(const NumberConversion& conversion, int places, const IntlSettings& s) noexcept {
  const char point = conversion.parseDecimalSep;
  const NumberRequest from{conversion.fromFormat, conversion.currencySymbol, point,
                           conversion.parseThousandSep};
  // Every text starts with a digit or the sign: a symbol that starts with a
  // digit would make a text that starts with that digit unreadable.
  const char currency = from.currencySymbol ? from.currencySymbol[0] : '\0';
  return conversion.fromFormat && AllowedDecimals(from.format, point) < 0 && !number_detail::IsDigit(currency) &&
         number_detail::RawTextReadable('0', from, s) && number_detail::RawTextReadable(s.sNegativeSign, from, s) &&
         RoundsInOnePass(conversion, places, s);
}

int ConvertFittedDecimal(char* dest, std::size_t size, const char* text, std::size_t length,
                         const NumberConversion& conversion, int places,
                         const IntlSettings& s) noexcept {
  const char point = conversion.parseDecimalSep;
  const NumberRequest from{conversion.fromFormat, conversion.currencySymbol, point,
                           conversion.parseThousandSep};
  if (!text || length == 0 || !conversion.fromFormat ||
      !number_detail::RawTextReadable(text[0], from, s) || AllowedDecimals(from.format, point) >= 0) {
    return -1;  // only a raw format that takes any number of decimals reads as below
  }
  const char* p = text;
  const char* const end = text + length;
  const bool negative = *p == s.sNegativeSign;
  if (negative) ++p;
  std::uint64_t whole = 0;
  int count = 0;
  for (; p < end && IsDigit(*p); ++p, ++count) whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
  if (count == 0 || count > kMaxDigits) return -1;

  NumberParts parts;
  parts.noDigits = 0;
  if (p < end) {
    if (*p != point) return -1;
    const char* const digits = ++p;
    std::uint64_t sum = 0;
    for (; p < end && IsDigit(*p); ++p) {
      if (p - digits < kMaxDigits) sum = sum * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    const int read = static_cast<int>(p - digits);
    if (p != end || read > kMaxDigits) return -1;
    int shown = read;  // the fraction digits of the fitted text
    if (read >= 1 && read < places) {  // padded with zeros
      if (places > kMaxDigits) return -1;
      for (; shown < places; ++shown) sum *= 10;
    } else if (places > 0 && read > places) {  // rounded
      if (!RoundsInOnePass(conversion, places, s)) return -1;
      bool carry;
      sum = number_detail::RoundedDigits(sum, read, places, carry);
      whole += carry ? 1 : 0;  // 10^15 at most, still exact
      shown = places;
    }
    if (shown > 0) {
      // Read back as the raw reading reads the fitted text: the digits kept.
      parts.fraction = static_cast<double>(sum) / ExactPowerOfTen(static_cast<std::size_t>(shown));
      std::uint64_t rest = sum;
      for (int k = shown; k-- > 0; rest /= 10) parts.readDigits[k] = static_cast<char>('0' + rest % 10);
      parts.readDigitCount = shown;
      parts.readFraction = parts.fraction;
    }
  }
  parts.integerPart = static_cast<double>(whole);
  parts.negative = negative && !(whole == 0 && parts.fraction == 0) ? 1 : 0;
  number_detail::RenderConverted(dest, size, conversion, parts, s);
  return 1;
}

}  // namespace zorva
