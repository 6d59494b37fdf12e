// Reading a number text against a numeric format. Lenient by design: every
// character is looked at, none is refused on its own; rules only lower the
// verdict, and the parts hold whatever could be read.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"
#include "platform/float_text.h"
#include "platform/powers_of_ten.h"

namespace zorva {
namespace {

using number_detail::IsDigit;

// Enough significant digits to round any decimal to the nearest double.
constexpr std::size_t kKeptDigits = 800;

// The common case exactly: up to 15 significant digits make a whole number
// below 2^53, and one multiplication or division by an exact power of ten
// then rounds once, to the same double as the general path.
bool SmallScaledDigits(const char* text, std::size_t length, long long shift,
                       double& value) noexcept {
  std::uint64_t n = 0;
  int used = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (!IsDigit(c) || (used == 0 && c == '0')) continue;
    if (++used > 15) return false;
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (shift < -kMaxExactPowerOfTen || shift > kMaxExactPowerOfTen) {
    return n == 0 ? (value = 0.0, true) : false;
  }
  const double power = ExactPowerOfTen(static_cast<std::size_t>(shift < 0 ? -shift : shift));
  value = shift < 0 ? static_cast<double>(n) / power : static_cast<double>(n) * power;
  return true;
}

// The digits of text[0, length) as one integer, times 10^shift, rounded to
// the nearest double; characters that are not digits are skipped.
double ScaledDigits(const char* text, std::size_t length, long long shift) noexcept {
  if (double value; SmallScaledDigits(text, length, shift, value)) return value;
  char buf[kKeptDigits + 32];
  std::size_t used = 0;
  bool sticky = false;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (!IsDigit(c) || (used == 0 && c == '0')) continue;
    if (used < kKeptDigits) {
      buf[used++] = c;
    } else {
      ++shift;
      sticky = sticky || c != '0';
    }
  }
  if (used == 0) return 0.0;
  if (sticky) {  // a dropped non-zero digit still breaks a tie upwards
    buf[used++] = '1';
    --shift;
  }
  const long long integerDigits = static_cast<long long>(used) + shift;
  buf[used++] = 'e';
  const auto end = std::to_chars(buf + used, buf + sizeof buf, shift).ptr;
  double value = 0;
  if (ReadDouble(buf, end, value) == std::errc::result_out_of_range) {
    // Past the double range: too many integer digits overflow, too few underflow.
    value = integerDigits > 0 ? HUGE_VAL : 0.0;
  }
  return value;
}

// "E" followed by a sign and digits scales the value read so far; the text
// after the exponent is not read. Returns whether the exponent had digits.
bool ApplyExponent(const char* sign, const IntlSettings& s, NumberParts& parts) noexcept {
  const bool up = s.sPositiveSign && *sign == s.sPositiveSign;
  if (!up && !(s.sNegativeSign && *sign == s.sNegativeSign)) return false;
  const char* digits = sign + 1;
  const char* end = digits;
  while (IsDigit(*end)) ++end;
  const double k = DigitsToDouble(digits, static_cast<std::size_t>(end - digits));
  const double value = parts.integerPart + parts.fraction;
  // One multiplication by the nearest double to the power, on every platform.
  // Zero stays zero even when 10^k overflows (0 * inf would be NaN).
  const double scaled = value == 0 ? 0.0 : PowerOfTen(up ? k : -k) * value;
  parts.integerPart = up ? scaled : 0.0;
  parts.fraction = up ? 0.0 : scaled;
  return end != digits;
}

// A raw text as the raw paths write it: an optional sign, up to 15 digits,
// and an optional point with digits ("-1234.5", "12.", "0.25"). The loop of
// ParseNumber reads it the same way when none of the characters it tests
// first can be taken for another; -1 when the text is not of that shape.
int ReadRawText(const char* text, const NumberRequest& request, NumberParts& parts,
                const IntlSettings& s) noexcept {
  if (!number_detail::RawTextReadable(text[0], request, s)) return -1;
  const char sign = s.sNegativeSign;
  const char point = request.decimalSep;
  const char* p = text;
  const bool negative = *p == sign;
  if (negative) ++p;
  std::uint64_t whole = 0;
  int count = 0;
  for (; IsDigit(*p); ++p, ++count) whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
  if (count == 0 || count > 15) return -1;
  const char* fraction = nullptr;
  std::uint64_t sum = 0;  // the fraction's first 15 digits as one integer
  if (point && *p == point) {
    fraction = p++;
    for (const char* digits = p; IsDigit(*p); ++p) {
      if (p - digits < 15) sum = sum * 10 + static_cast<std::uint64_t>(*p - '0');
    }
  }
  if (*p) return -1;
  parts.noDigits = 0;
  parts.integerPart = static_cast<double>(whole);
  int verdict = 1;
  if (fraction) {
    const int allowed = AllowedDecimals(request.format, point);
    const auto count = static_cast<std::size_t>(p - fraction - 1);
    if (allowed < 0 && count >= 1 && count <= sizeof parts.readDigits) {
      // Any number of decimals (a raw format): ParseFraction's reading, done here.
      parts.fraction = static_cast<double>(sum) / ExactPowerOfTen(count);
      for (std::size_t k = 0; k < count; ++k) parts.readDigits[k] = fraction[1 + k];
      parts.readDigitCount = static_cast<int>(count);
      parts.readFraction = parts.fraction;
    } else if (!number_detail::ParseFraction(fraction, allowed, parts)) {
      verdict = 0;
    }
  }
  parts.negative = negative && !(parts.integerPart == 0 && parts.fraction == 0) ? 1 : 0;
  return verdict;
}

// What the loop below asks of a character, from the request and settings
// themselves: the format is read only when a character needs it.
class TextRoles {
 public:
  // Texts are converted and terminated: no byte needs refusing.
  static constexpr bool kInPlace = false;

  TextRoles(const NumberRequest& request, const IntlSettings& s) noexcept
      : request_(request), s_(s),
        format_(request.format ? request.format : ""),
        currency_(request.currencySymbol ? request.currencySymbol : "") {}

  bool IsThousand(char c) const noexcept { return request_.thousandSep && c == request_.thousandSep; }
  bool IsDecimal(char c) const noexcept { return request_.decimalSep && c == request_.decimalSep; }
  bool IsLeftParen(char c) const noexcept { return c == s_.sLeftParen; }
  bool IsNegative(char c) noexcept { return c == s_.sNegativeSign || c == Marker(); }
  bool IsRightParen(char c) const noexcept { return c == s_.sRightParen; }
  bool IsCurrency(char c) const noexcept { return c == currency_[0]; }
  bool IsCloser(char c) const noexcept { return c == currency_[0] || c == '%'; }
  bool IsForeign(char) const noexcept { return false; }
  // Past as many characters as the symbol has, whatever they are.
  bool SkipCurrency(const char*& at) const noexcept {
    for (const char* c = currency_; *c && *at; ++c) ++at;
    return true;
  }
  int Allowed() noexcept {
    if (allowed_ == kUnknown) {
      const char* semicolon = std::strchr(format_, ';');
      allowed_ = number_detail::AllowedDecimals(
          format_, semicolon ? semicolon : format_ + std::strlen(format_), request_.decimalSep);
    }
    return allowed_;
  }
  const IntlSettings& settings() const noexcept { return s_; }

 private:
  static constexpr int kUnknown = -1000;
  char Marker() noexcept {
    if (marker_ < 0) {
      marker_ = static_cast<unsigned char>(
          number_detail::NegativeMarkerOf(format_, std::strchr(format_, ';'), s_));
    }
    return static_cast<char>(marker_);
  }

  const NumberRequest& request_;
  const IntlSettings& s_;
  const char* format_;
  const char* currency_;
  int marker_ = -1;
  int allowed_ = kUnknown;
};

// The same questions from a format analysed once (number_detail::NumberReader),
// over a UTF-8 text read in place: a NUL inside it or a byte outside ASCII
// stops the loop with -1, for ParseNumber to answer after a conversion.
class TableRoles {
 public:
  static constexpr bool kInPlace = true;
  using Reader = number_detail::NumberReader;

  explicit TableRoles(const Reader& reader) noexcept : reader_(reader) {}

  bool IsThousand(char c) const noexcept { return Has(c, Reader::kThousand); }
  bool IsDecimal(char c) const noexcept { return Has(c, Reader::kDecimal); }
  bool IsLeftParen(char c) const noexcept { return Has(c, Reader::kLeftParen); }
  bool IsNegative(char c) const noexcept { return Has(c, Reader::kNegative); }
  bool IsRightParen(char c) const noexcept { return Has(c, Reader::kRightParen); }
  bool IsCurrency(char c) const noexcept { return Has(c, Reader::kCurrency); }
  bool IsCloser(char c) const noexcept { return Has(c, Reader::kCloser); }
  bool IsForeign(char c) const noexcept { return Has(c, Reader::kForeign); }
  // Past the symbol's length in characters; false when one of them is not ASCII.
  bool SkipCurrency(const char*& at) const noexcept {
    ++at;
    for (std::size_t k = 1; k < reader_.currencyLength && *at; ++k, ++at) {
      if (IsForeign(*at)) return false;
    }
    return true;
  }
  int Allowed() const noexcept { return reader_.allowed; }

 private:
  bool Has(char c, std::uint8_t bit) const noexcept {
    return (reader_.classes[static_cast<unsigned char>(c)] & bit) != 0;
  }
  const Reader& reader_;
};

// Sums the run of digits at p, passing over what `isThousand` takes, and
// leaves p after it: the run's value (exact while up to 15 digits) and its
// digit count. `each` sees every digit with its index.
template <class IsThousand, class Each>
std::uint64_t SumDigitRun(const char*& p, IsThousand isThousand, Each each, int& count) noexcept {
  std::uint64_t whole = 0;
  count = 0;
  for (;; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
    if (digit < 10) {
      whole = whole * 10 + digit;
      each(count, digit);
      ++count;
    } else if (!isThousand(*p)) {
      return whole;
    }
  }
}

// The reading loop of ParseNumber, for either kind of roles. `end` is the
// text's end for an in-place text (a NUL before it is refused), else unused.
// An exponent in an in-place text is left to ParseNumber too (-1).
template <class Roles>
int ReadLoop(Roles roles, const char* text, const char* end, NumberParts& parts) noexcept {
  const char* p = text;
  if (roles.IsCurrency(*p) && !roles.SkipCurrency(p)) return -1;  // only its first character is compared

  parts.noDigits = 1;
  int verdict = 1;
  int depth = 0;
  bool decimalSeen = false;
  while (*p) {
    const char c = *p;
    if (Roles::kInPlace && roles.IsForeign(c)) return -1;
    if (parts.noDigits && IsDigit(c)) {
      // Only the first run is the integer part; its grouping is not checked.
      // Up to 15 digits are exact as they are summed here.
      parts.noDigits = 0;
      const char* run = p;
      int count;
      const std::uint64_t whole = SumDigitRun(
          p, [&roles](char t) { return roles.IsThousand(t); }, [](int, unsigned) {}, count);
      parts.integerPart = count <= 15 ? static_cast<double>(whole)
                                      : DigitsToDouble(run, static_cast<std::size_t>(p - run));
    } else if (!decimalSeen && roles.IsDecimal(c)) {
      if (!number_detail::ParseFraction(p, roles.Allowed(), parts)) verdict = 0;
      decimalSeen = true;
    } else if (roles.IsLeftParen(c)) {
      if (++depth > 1) {
        // The rest is not read; in place it must still be what ParseNumber
        // would not read either.
        if constexpr (Roles::kInPlace) {
          for (const char* q = p; q < end; ++q) {
            if (roles.IsForeign(*q)) return -1;
          }
          p = end;
        }
        verdict = 0;
        break;
      }
      parts.negative = 1;
      ++p;
    } else if (roles.IsNegative(c)) {
      parts.negative = 1;  // before or after the digits, any number of times
      ++p;
    } else if (parts.negative && roles.IsRightParen(c)) {
      --depth;
      ++p;
    } else if (c == 'E' || c == 'e') {
      if constexpr (Roles::kInPlace) {
        return -1;
      } else {
        // The scaled parts may lie outside the type, or need more digits than a
        // raw value can show: such a text is never called well-formed.
        if (ApplyExponent(p + 1, roles.settings(), parts)) verdict = 0;
        break;
      }
    } else if (p[1] == '\0') {
      // Only a currency symbol or "%" may close the text.
      if (!roles.IsCloser(c)) verdict = 0;
      ++p;
    } else if (roles.IsCurrency(c)) {
      if (!roles.SkipCurrency(p)) return -1;
    } else {
      if (c != ' ') verdict = 0;
      ++p;
    }
  }
  if constexpr (Roles::kInPlace) {
    if (p != end) return -1;  // a NUL inside the text
  }
  if (parts.integerPart == 0 && parts.fraction == 0) parts.negative = 0;  // no negative zero
  if (depth != 0) verdict = 0;
  return verdict;
}

}  // namespace

int ParseNumber(const char* text, const NumberRequest& request, NumberParts& parts,
                const IntlSettings& s) noexcept {
  parts = NumberParts{};
  if (!text || !*text) return 1;
  if (const int verdict = ReadRawText(text, request, parts, s); verdict >= 0) return verdict;
  return ReadLoop(TextRoles(request, s), text, nullptr, parts);
}

void number_detail::PrepareNumberReader(NumberReader& reader, const NumberRequest& request,
                                        const IntlSettings& s) noexcept {
  const char* format = request.format ? request.format : "";
  const char* currency = request.currencySymbol ? request.currencySymbol : "";
  const char marker = NegativeMarkerOf(format, std::strchr(format, ';'), s);
  // A zero setting matches no character of a text: it sets no bit.
  const auto mark = [&reader](char c, std::uint8_t bit) {
    if (c) reader.classes[static_cast<unsigned char>(c)] |= bit;
  };
  std::memset(reader.classes, 0, sizeof reader.classes);
  mark(request.thousandSep, NumberReader::kThousand);
  mark(request.decimalSep, NumberReader::kDecimal);
  mark(s.sLeftParen, NumberReader::kLeftParen);
  mark(s.sNegativeSign, NumberReader::kNegative);
  mark(marker, NumberReader::kNegative);
  mark(s.sRightParen, NumberReader::kRightParen);
  mark(currency[0], NumberReader::kCurrency | NumberReader::kCloser);
  mark('%', NumberReader::kCloser);
  // An ASCII text never holds a setting outside ASCII: such bytes only stop the reader.
  reader.classes[0] = NumberReader::kForeign;
  for (int b = 0x80; b < 0x100; ++b) reader.classes[b] = NumberReader::kForeign;
  const char* semicolon = std::strchr(format, ';');
  reader.allowed =
      AllowedDecimals(format, semicolon ? semicolon : format + std::strlen(format), request.decimalSep);
  reader.currencyLength = std::strlen(currency);

  reader.leftParen = s.sLeftParen;
  reader.rightParen = s.sRightParen;
  reader.negativeSign = s.sNegativeSign;
  reader.currency = currency[0];
  reader.point = request.decimalSep;
  reader.thousand = request.thousandSep;
  const char roles[] = {reader.leftParen, reader.negativeSign, reader.rightParen, reader.point,
                        reader.currency, reader.thousand};
  // Each role's character: none of those the loop tests for another role.
  const auto plain = [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && !IsDigit(c) && c != 'E' && c != 'e' && c != ' ' &&
           c != '%';
  };
  bool ok = reader.currencyLength <= 1 && reader.leftParen && reader.negativeSign && reader.rightParen &&
            reader.point;
  for (std::size_t i = 0; ok && i < sizeof roles; ++i) {
    if (!roles[i]) continue;
    ok = plain(roles[i]);
    for (std::size_t k = 0; ok && k < i; ++k) ok = roles[k] != roles[i];
  }
  // The format's negative marker counts as a negative sign wherever it is.
  if (ok && marker != reader.negativeSign) {
    ok = !IsDigit(marker);
    for (char role : roles) ok = ok && role != marker;
  }
  reader.plainShape = ok;
}

namespace {

// "(", "-" or nothing, the currency symbol or not, digits with separators
// after the first, a point and up to 15 digits, and ")" after a "(": what
// the loop reads of such a text, done here in one pass. -1 for any other
// text, or for a fraction the format rounds.
template <bool kKeepDigits>
int ReadPlainShape(const number_detail::NumberReader& reader, const char* p, const char* end,
                   NumberParts& parts, number_detail::WholeText* text) noexcept {
  // The settings in locals: the digits written below could alias them.
  const char thousand = reader.thousand, currency = reader.currency;
  bool paren = false, negative = false;
  if (*p == reader.leftParen) {
    paren = negative = true;
    ++p;
  } else if (*p == reader.negativeSign) {
    negative = true;
    ++p;
  }
  if (currency && *p == currency) ++p;
  if (!IsDigit(*p)) return -1;
  int count;
  const std::uint64_t whole = SumDigitRun(
      p, [thousand](char t) { return thousand && t == thousand; },
      [&]([[maybe_unused]] int at, [[maybe_unused]] unsigned digit) {
        if constexpr (kKeepDigits) text->digits[at & 15] = static_cast<char>('0' + digit);
      },
      count);
  if (count > 15) return -1;
  double fraction = 0;
  char read[sizeof parts.readDigits] = {};
  std::size_t places = 0;
  if (*p == reader.point) {
    ++p;
    std::uint64_t sum = 0;
    unsigned digit;
    for (; (digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0')) < 10 && places < 15;
         ++p, ++places) {
      sum = sum * 10 + digit;
      read[places] = static_cast<char>('0' + digit);
    }
    const int allowed = reader.allowed;
    if (digit < 10 || allowed == 0 || (allowed > 0 && places > static_cast<std::size_t>(allowed))) {
      return -1;
    }
    if (places > 0) fraction = static_cast<double>(sum) / ExactPowerOfTen(places);
  }
  if (paren) {
    if (*p != reader.rightParen) return -1;
    ++p;
  }
  if (p != end) return -1;
  // Every part is written here: the caller's need not be cleared first.
  parts.integerPart = static_cast<double>(whole);
  parts.fraction = fraction;
  parts.negative = negative && (whole != 0 || fraction != 0) ? 1 : 0;
  parts.noDigits = 0;
  parts.readFraction = places > 0 ? fraction : -1;
  parts.readDigitCount = static_cast<int>(places);
  std::memcpy(parts.readDigits, read, sizeof read);
  if constexpr (kKeepDigits) {
    int first = 0;
    while (first + 1 < count && text->digits[first] == '0') ++first;
    text->first = first;
    text->count = count - first;
  }
  return 1;
}

}  // namespace

namespace {

// The loop over an analysed format; ReadRawText gives the loop's answer, so
// it is not tried first. Apart from ReadNumber, which reads the usual text
// without this one's set-up.
[[gnu::noinline]] int ReadAnyNumber(const number_detail::NumberReader& reader, const char* text,
                                    std::size_t length, NumberParts& parts) noexcept {
  parts = NumberParts{};
  if (!*text) return length == 0 ? 1 : -1;
  return ReadLoop(TableRoles{reader}, text, text + length, parts);
}

}  // namespace

// The usual text first (see ReadPlainShape), then the loop.
int number_detail::ReadNumber(const NumberReader& reader, const char* text, std::size_t length,
                              NumberParts& parts, WholeText* whole) noexcept {
  if (reader.plainShape) {
    const char* const end = text + length;
    const int verdict = whole ? ReadPlainShape<true>(reader, text, end, parts, whole)
                              : ReadPlainShape<false>(reader, text, end, parts, nullptr);
    if (verdict >= 0) return verdict;
    if (whole) whole->count = -1;
  }
  return ReadAnyNumber(reader, text, length, parts);
}

int number_detail::ParseFraction(const char*& position, int allowed, NumberParts& parts) noexcept {
  const char* digits = *position ? position + 1 : position;
  const char* end = digits;
  std::uint64_t sum = 0;  // the first 15 digits as one integer
  for (; IsDigit(*end); ++end) {
    if (end - digits < 15) sum = sum * 10 + static_cast<std::uint64_t>(*end - '0');
  }
  const std::size_t count = static_cast<std::size_t>(end - digits);
  const int result = allowed >= 0 && count > static_cast<std::size_t>(allowed) ? 0 : 1;

  if (allowed == 0) {
    // No decimals in the format: the first one rounds the whole number.
    parts.fraction = 0;
    parts.noDigits = 0;
    if (count >= 1 && digits[0] >= '5') parts.integerPart += 1;
  } else if (count >= 1) {
    // Read as a plain decimal fraction, whatever the locale's point is; up
    // to 15 digits make one exact division, as ScaledDigits does.
    parts.fraction = count <= 15 ? static_cast<double>(sum) / ExactPowerOfTen(count)
                                 : ScaledDigits(digits, count, -static_cast<long long>(count));
    parts.noDigits = 0;
    if (allowed > 0 && count > static_cast<std::size_t>(allowed)) {
      parts.fraction = RoundToPlaces(parts.fraction, allowed);
      if (parts.fraction == 1) {
        parts.integerPart += 1;
        parts.fraction = 0;
      }
    } else if (count <= sizeof parts.readDigits) {
      for (std::size_t k = 0; k < count; ++k) parts.readDigits[k] = digits[k];
      parts.readDigitCount = static_cast<int>(count);
      parts.readFraction = parts.fraction;
    }
  }
  position = end;
  return result;
}

double RoundToPlaces(double value, int places) noexcept {
  if (places <= 0) return value;
  // One multiplication per place, as the results must match digit for digit.
  // Once the value is 0 or not finite, further steps would not change it.
  double scaled = value;
  for (int i = 0; i < places && scaled != 0 && std::isfinite(scaled); ++i) scaled *= 10;
  double r = std::floor(scaled);
  if (scaled - r >= 0.5) r += 1;
  for (int i = 0; i < places && r != 0 && std::isfinite(r); ++i) r *= 0.1;
  return r;
}

double DigitsToDouble(const char* text, std::size_t length) noexcept {
  if (!text) return 0.0;
  return ScaledDigits(text, length, 0);
}

int TooManyDigits(const char* text, int limit, char decimalSep) noexcept {
  if (!text || !*text) return 0;
  long long count = 0;
  bool significant = false;
  // Trailing zeros of a whole number are not significant; after a decimal
  // separator they are ("1000" has 1, "1000.0" has 4).
  for (const char* p = text + std::strlen(text); p-- > text;) {
    const char c = *p;
    if (significant) {
      if (IsDigit(c)) ++count;
    } else if (c >= '1' && c <= '9') {
      ++count;
      significant = true;
    } else if (decimalSep && c == decimalSep) {
      significant = true;
    }
  }
  return count > limit ? 1 : 0;
}

}  // namespace zorva
