// Pieces shared by the number files; not part of the engine's interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "platform/bounded_text.h"

namespace zorva::number_detail {

// Digits are "0" to "9" only: superscripts and other code-page digits are not.
inline bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether a raw text starting with `first` (a digit or the sign) can be read
// as the raw paths write it: no character that reading tests can then be
// taken for another (a sign that opens a parenthesis, a point that is a
// digit, a leading currency symbol).
inline bool RawTextReadable(char first, const NumberRequest& request,
                            const IntlSettings& s) noexcept {
  const char sign = s.sNegativeSign;
  if (!IsDigit(first) && first != sign) return false;  // the usual entered text: "$1,234.50"
  const char point = request.decimalSep;
  const char currency = request.currencySymbol ? request.currencySymbol[0] : '\0';
  if (!sign || IsDigit(sign) || sign == s.sLeftParen || sign == point || IsDigit(point) ||
      (request.thousandSep && request.thousandSep == point) || first == currency) {
    return false;
  }
  return true;
}

// A fraction's `count` digits, read as the whole number `sum`, rounded half
// up to `places` (fewer, at most 6) with the general path's double steps, so
// that its ties fall as they do there; `carry` when they round up to 1.
std::uint64_t RoundedDigits(std::uint64_t sum, int count, int places, bool& carry) noexcept;

// A lead that the renderer would show as it stands.
inline bool IsLiteralLead(char lead, char decimalSep, char thousandSep) noexcept {
  return lead != '0' && lead != '#' && lead != ';' && lead != '\\' && lead != '"' && lead != '_' &&
         !(decimalSep && lead == decimalSep) && !(thousandSep && lead == thousandSep);
}

// Whole numbers are laid out directly up to this many digits; a longer run
// of "0" takes the general walk.
inline constexpr std::size_t kMaxWholeLength = 40;

// The digit string of a magnitude rounded at some places, as _fcvt makes it:
// `length` digits with the decimal point after `point` of them (point <= 0:
// below 1). Only the leading `kept` digits are stored; the rest are "0".
struct FcvtDigits {
  char digits[20];
  int kept = 0;
  int length = 0;
  int point = 0;
  char At(int i) const noexcept { return i < kept ? digits[i] : '0'; }
};

// The first `count` (1..17) significant digits of |v| (finite, not zero),
// correctly rounded with ties to even as printf's "%e" rounds, and the
// decimal exponent of the first digit.
void SignificantDigits(double v, int count, char* digits, int& exponent) noexcept;

// NaN reads as 0 and infinity as the largest double, so rendering stays total.
FcvtDigits Fcvt(double magnitude, int places) noexcept;

// The digits of a whole number below 2^53 (at most 16), two at a time,
// into 16 bytes of `out`; returns how many.
inline int WholeDigits(std::uint64_t n, char* out) noexcept {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  // Written to end at buffer + 16 and moved out as 16 bytes, a fixed copy.
  char buffer[32] = {};
  char* const end = buffer + 16;
  char* p = end;
  while (n >= 100) {
    const std::uint64_t rest = n / 100;
    const std::uint64_t pair = n - rest * 100;
    n = rest;
    p -= 2;
    std::memcpy(p, kPairs + 2 * pair, 2);
  }
  if (n >= 10) {
    p -= 2;
    std::memcpy(p, kPairs + 2 * n, 2);
  } else {
    *--p = static_cast<char>('0' + n);
  }
  std::memcpy(out, p, 16);
  return static_cast<int>(end - p);
}

// Fcvt at 0 places of an integer part: zero and whole numbers below 2^53,
// the usual ones, without a call; the rest through Fcvt.
inline FcvtDigits WholeFcvt(double magnitude) noexcept {
  if (magnitude == 0) return FcvtDigits{};
  if (magnitude >= 1 && magnitude < 9007199254740992.0) {
    const auto whole = static_cast<std::uint64_t>(magnitude);
    if (static_cast<double>(whole) == magnitude) {
      FcvtDigits r;
      r.kept = r.length = r.point = WholeDigits(whole, r.digits);
      return r;
    }
  }
  return Fcvt(magnitude, 0);
}

// A format section without copying it: an optional lead character (the sign
// put in front, or the first character of a negative section whose following
// spaces were dropped) followed by a slice of the caller's format.
struct FormatView {
  char lead = 0;
  const char* body = "";
  std::size_t bodyLength = 0;

  std::size_t size() const noexcept { return (lead ? 1 : 0) + bodyLength; }
  char operator[](std::size_t i) const noexcept {
    if (lead) {
      if (i == 0) return lead;
      --i;
    }
    return body[i];
  }
};

FormatView SectionOf(const char* format, int negative, const IntlSettings& s) noexcept;

// The character that marks a negative number in the format's second section
// (sNegativeSign when it has none, or when that section starts with
// sLeftParen), and AllowedDecimals, for a format whose first ";" (or null)
// and first section's end are already found.
char NegativeMarkerOf(const char* format, const char* semicolon, const IntlSettings& s) noexcept;
int AllowedDecimals(const char* format, const char* firstEnd, char decimalSep) noexcept;

// ConvertNumber's second half: `parts` rendered with the section of
// toFormat for their sign.
void RenderConverted(char* dest, std::size_t size, const NumberConversion& conversion,
                     const NumberParts& parts, const IntlSettings& s) noexcept;

// ParseFraction with the format's allowed decimals already known.
int ParseFraction(const char*& position, int allowed, NumberParts& parts) noexcept;

// A format analysed once for reading many texts under the same settings:
// every character ParseNumber's loop compares a byte with, as bits of one
// table entry per byte, and the format's allowed decimals.
struct NumberReader {
  enum : std::uint8_t {
    kThousand = 1,
    kDecimal = 2,
    kLeftParen = 4,
    kNegative = 8,  // the negative sign or the format's negative marker
    kRightParen = 16,
    kCurrency = 32,  // the symbol's first character
    kCloser = 64,    // what may close a text: that character or "%"
    kForeign = 128,  // NUL or outside ASCII: ParseNumber reads it after a conversion
  };
  std::uint8_t classes[256];
  int allowed = 0;
  std::size_t currencyLength = 0;
  // The usual entered text, "($1,234.50)" or "-$1,234.50", is read in one
  // pass without the loop's choices, when each of its characters has one
  // role only (the settings' characters all differ).
  bool plainShape = false;
  char leftParen = 0, rightParen = 0, negativeSign = 0, currency = 0, point = 0, thousand = 0;
};

void PrepareNumberReader(NumberReader& reader, const NumberRequest& request,
                         const IntlSettings& s) noexcept;

// What ParseNumber gives for an ASCII text zero-terminated at text[length]
// (which is then also its ANSI text), or -1 when only ParseNumber can tell:
// a byte outside ASCII or a NUL inside the text, or an exponent.
// `whole`, when given, receives the integer part's digits as written when
// the text had the usual shape (see NumberReader): `count` of them from
// `first`, which never points to a leading zero unless the number is 0.
// Else count is -1.
struct WholeText {
  char digits[32];
  int first = 0;
  int count = -1;
};
int ReadNumber(const NumberReader& reader, const char* text, std::size_t length,
               NumberParts& parts, WholeText* whole = nullptr) noexcept;

}  // namespace zorva::number_detail
