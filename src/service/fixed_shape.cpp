#include "service/fixed_shape.h"

#include <cstring>

#include "number/number_internal.h"
#include "service/answer_size.h"
#include "service/default_mask.h"
#include "service/dispatch.h"

namespace zorva {

namespace {

constexpr std::size_t kMaxExactDigits = 15;  // what a double holds exactly enough

template <class In>
std::uint64_t DigitsValue(const In* p, const In* end) noexcept {
  std::uint64_t sum = 0;
  for (; p < end; ++p) sum = sum * 10 + static_cast<std::uint64_t>(*p - In('0'));
  return sum;
}

// A value with more places than the mask's, rounded to them as the general
// path rounds it, then shown as the value with the mask's places it is.
template <class In, class Out>
int ShowRounded(const FixedShape& shape, bool negative, const In* whole, const In* wholeEnd, const In* fraction,
                std::size_t places, Out* out) noexcept {
  const auto count = static_cast<std::size_t>(wholeEnd - whole);
  if (!shape.rounds || count == 0 || count > kMaxExactDigits || places > kMaxExactDigits) return -1;
  bool carry;
  const std::uint64_t kept = number_detail::RoundedDigits(DigitsValue(fraction, fraction + places),
                                                          static_cast<int>(places), shape.places, carry);
  char text[2 * kMaxExactDigits + 4];
  std::size_t n = 0;
  if (negative) text[n++] = shape.sign;
  n += static_cast<std::size_t>(number_detail::WholeDigits(DigitsValue(whole, wholeEnd) + (carry ? 1 : 0), text + n));
  text[n++] = shape.point;
  std::uint64_t rest = kept;
  for (std::size_t k = shape.places; k-- > 0; rest /= 10) text[n + k] = static_cast<char>('0' + rest % 10);
  n += shape.places;
  return ShowFixed(shape, text, n, out);
}

}  // namespace

template <class In, class Out>
int ShowFixed(const FixedShape& shape, const In* value, std::size_t length, Out* out) noexcept {
  if (!shape.ready || length == 0) return -1;
  const In* p = value;
  const In* const end = value + length;
  const bool negative = *p == In(static_cast<unsigned char>(shape.sign));
  if (negative) ++p;
  const In* whole = p;
  while (p < end && *p >= In('0') && *p <= In('9')) ++p;
  const In* wholeEnd = p;
  const In* fraction = p;
  if (p < end && *p == In(static_cast<unsigned char>(shape.point))) {
    fraction = ++p;
    while (p < end && *p >= In('0') && *p <= In('9')) ++p;
  }
  const std::size_t places = static_cast<std::size_t>(p - fraction);
  if (p != end || (whole == wholeEnd && places == 0)) return -1;
  if (places > shape.places) return ShowRounded(shape, negative, whole, wholeEnd, fraction, places, out);
  bool nonzero = false;
  while (whole < wholeEnd && *whole == In('0')) ++whole;
  const std::size_t count = static_cast<std::size_t>(wholeEnd - whole);
  if (count + shape.places > kMaxExactDigits) return -1;
  nonzero = count > 0;
  for (const In* q = fraction; q < end; ++q) nonzero = nonzero || *q != In('0');
  const bool shownNegative = negative && nonzero;
  const FixedShape::Section& section = shape.sections[shownNegative && shape.twoSections];
  Out* o = out;
  if (shownNegative && !shape.twoSections) *o++ = Out(shape.outSign);
  for (std::size_t k = 0; k < section.leadLength; ++k) *o++ = Out(section.lead[k]);
  const std::size_t pad = shape.zeros > count ? shape.zeros - count : 0;
  const std::size_t shown = pad + count;
  const std::size_t group = shape.group;
  const bool split = shape.grouped && group >= 2 && shown > group;  // a group of one never splits
  std::size_t next = split ? (shown % group == 0 ? group : shown % group) : shown;
  for (std::size_t k = 0; k < shown; ++k) {
    if (k == next) {
      *o++ = Out(shape.separator);
      next += group;
    }
    *o++ = k < pad ? Out('0') : Out(whole[k - pad]);
  }
  if (shape.places) {
    *o++ = Out(shape.outPoint);
    for (std::size_t k = 0; k < shape.places; ++k) *o++ = k < places ? Out(fraction[k]) : Out('0');
  }
  for (std::size_t k = 0; k < section.tailLength; ++k) *o++ = Out(section.tail[k]);
  return static_cast<int>(o - out);
}

template int ShowFixed(const FixedShape&, const char*, std::size_t, char*) noexcept;
template int ShowFixed(const FixedShape&, const char16_t*, std::size_t, char16_t*) noexcept;
template int ShowFixed(const FixedShape&, const char*, std::size_t, char16_t*) noexcept;

namespace {

bool Ascii(char c) noexcept { return c > 0 && static_cast<unsigned char>(c) < 0x80; }

// Literals of a lead or tail: characters no number rule claims.
bool PlainLiteral(char c) noexcept { return c == '$' || c == '(' || c == ')' || c == '-' || c == '+'; }

bool ReadLiteral(const char*& p, const char* end, char (&to)[8], std::uint8_t& length) noexcept {
  length = 0;
  for (; p < end && PlainLiteral(*p); ++p) {
    if (length == sizeof to) return false;
    to[length++] = *p;
  }
  return true;
}

// One section: lead, run, point and places, tail; the run and places as the
// first section's.
bool ReadSection(FixedShape& shape, FixedShape::Section& section, const char* p, const char* end, bool first,
                 char point, char separator) noexcept {
  if (!ReadLiteral(p, end, section.lead, section.leadLength)) return false;
  if (p == end || (*p != '#' && *p != '0')) return false;
  std::uint8_t zeros = 0, group = 0, places = 0;
  bool grouped = false;
  for (; p < end && (*p == '#' || *p == '0' || *p == separator); ++p) {
    if (*p == separator) {
      grouped = true;
      group = 0;
    } else {
      if (++group > 40 || (*p == '0' && ++zeros > 40)) return false;
    }
  }
  if (p < end && *p == point) {
    for (++p; p < end && *p == '0'; ++p) ++places;
  }
  if (!ReadLiteral(p, end, section.tail, section.tailLength) || p != end) return false;
  if (first) {
    shape.zeros = zeros;
    shape.group = group;
    shape.grouped = grouped;
    shape.places = places;
    return true;
  }
  return zeros == shape.zeros && group == shape.group && grouped == shape.grouped && places == shape.places;
}

bool ReadShape(FixedShape& shape, const char* mask, char point, char separator) noexcept {
  const char* end = mask + std::strlen(mask);
  const char* semicolon = static_cast<const char*>(std::memchr(mask, ';', static_cast<std::size_t>(end - mask)));
  shape.twoSections = semicolon != nullptr;
  if (!ReadSection(shape, shape.sections[0], mask, semicolon ? semicolon : end, true, point, separator)) return false;
  return !semicolon || ReadSection(shape, shape.sections[1], semicolon + 1, end, false, point, separator);
}

bool AllAscii(const FixedShape::Section& section) noexcept {
  for (std::size_t k = 0; k < section.leadLength; ++k) {
    if (!Ascii(section.lead[k])) return false;
  }
  for (std::size_t k = 0; k < section.tailLength; ++k) {
    if (!Ascii(section.tail[k])) return false;
  }
  return true;
}

// Values of every leading character, length and place count the shape
// takes, zeros and negative zeros, in the settings' sign and point.
constexpr const char* kProbes[] = {
    "0", "5", "12", "123", "1234", "12345", "123456", "1234567", "12345678901", "1234567890123", ".5", "0.5",
    "1.5", "9.25", "12.", "1234.5", "1234.56", "00012.30", "0.00", "0.01", "-0", "-0.0", "-0.00", "-.5",
    "-1", "-1.5", "-1234.56", "-0.01", "-12345678.9", "2.5", "3.5", "4.5", "6.5", "7.5", "8.5", "999.99",
    "1000", "100000.1", "-7", "-8.8", "-9", "-2", "-3", "-4", "-6", "1234567890123.45", "-12345678901234.5",
    "123456789012345678.5",
    // rounded to the mask's places: ties, carries into the whole number, a
    // negative value that rounds to zero
    "6.285", "94.085", "1.005", "999.995", "9999999.9999", "0.005", "0.0049", "-0.004", "-0.005", "-12345.6789",
    "1.23456", "0.999999", "12.50"};

}  // namespace

void PrepareFixedShape(FixedShape& shape, const FormatRequest& request, const IntlSettings& s) noexcept {
  shape.ready = false;
  const int e = request.editType;
  if (e != etCurrency && e != etDouble && e != etSingle) return;
  shape.sign = shape.outSign = s.sNegativeSign;
  shape.point = e == etCurrency ? s.sMonDecimalSep : s.sDecimal;
  shape.outPoint = request.decimalSep;
  shape.separator = request.thousandSep;
  if (!Ascii(shape.sign) || !Ascii(shape.point) || !Ascii(shape.outPoint) || !Ascii(shape.separator) ||
      shape.point == shape.sign || (shape.point >= '0' && shape.point <= '9') ||
      (shape.sign >= '0' && shape.sign <= '9')) {
    return;
  }
  const char* mask = EffectiveMask(e, request.mask, s);
  if (!mask || !ReadShape(shape, mask, request.decimalSep, request.thousandSep) || !AllAscii(shape.sections[0]) ||
      (shape.twoSections && !AllAscii(shape.sections[1]))) {
    return;
  }
  const int rounded = RoundedPlaces(mask, request, s);
  shape.rounds = rounded > 0 && rounded == shape.places;
  shape.ready = true;
  for (const char* probe : kProbes) {
    char value[32];
    std::size_t n = 0;
    for (const char* c = probe; *c; ++c) value[n++] = *c == '-' ? shape.sign : *c == '.' ? shape.point : *c;
    value[n] = '\0';
    char ours[kFixedShown], theirs[kAnswerBytes];
    const int length = ShowFixed(shape, value, n, ours);
    if (length < 0) continue;  // the general path's, as it is for every value
    MakeFormattedValue(theirs, value, request, kAnswerChars, s);
    if (std::strlen(theirs) != static_cast<std::size_t>(length) ||
        std::memcmp(ours, theirs, static_cast<std::size_t>(length)) != 0) {
      shape.ready = false;
      return;
    }
  }
}

}  // namespace zorva
