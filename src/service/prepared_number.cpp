#include "service/prepared_number.h"

#include <cstring>

#include "intl/settings.h"
#include "service/answer_size.h"
#include "service/default_mask.h"
#include "service/entry_points.h"

namespace zorva {
namespace {

bool IsNumberType(EditType e) {
  return e == etCurrency || e == etByte || e == etInteger || e == etLong || e == etSingle ||
         e == etDouble;
}

bool IsAscii(const char* text) {
  for (; *text; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

// FormatRawNumber's direct path ("0" or "0.#") for a whole number below
// 2^53 whose fraction is none or the digits read: false when that path
// would not answer this way. A text of the usual shape gives its digits as
// written, and its fraction is always the digits read.
bool WriteRawDigits(const PreparedNumber& prepared, const NumberParts& parts,
                    const number_detail::WholeText& text, char* dest, std::size_t& length) {
  const bool shaped = text.count > 0;
  const bool fraction = prepared.rawShape == '.' && parts.fraction != 0;
  if (!shaped && fraction && !(parts.readDigitCount > 0 && parts.fraction == parts.readFraction)) {
    return false;
  }
  char* out = dest;
  if (parts.negative) *out++ = prepared.negativeSign;
  if (shaped) {
    std::memcpy(out, text.digits + text.first, 16);  // a fixed copy, into a buffer of kAnswerBytes
    out += text.count;
  } else {
    if (!(parts.integerPart < 9007199254740992.0)) return false;
    const auto whole = static_cast<std::uint64_t>(parts.integerPart);
    if (static_cast<double>(whole) != parts.integerPart) return false;
    if (whole == 0) {
      *out++ = '0';
    } else {
      out += number_detail::WholeDigits(whole, out);  // 16 bytes of a buffer of kAnswerBytes
    }
  }
  if (prepared.rawShape == '.') {
    *out++ = prepared.rawPoint;
    // Without a fraction the digits read are none or zeros, all trimmed.
    int n = parts.readDigitCount;
    while (n > 0 && parts.readDigits[n - 1] == '0') --n;
    std::memcpy(out, parts.readDigits, sizeof parts.readDigits);  // a fixed copy
    out += n;
  }
  *out = '\0';
  length = static_cast<std::size_t>(out - dest);
  return true;
}

}  // namespace

void PrepareNumber(PreparedNumber& prepared, std::int32_t valueType, std::string_view mask) noexcept {
  prepared.ready = false;
  prepared.editType = EditTypeOf(valueType);
  const IntlSettings& s = Intl();
  // Masks under 64 bytes only: the checks cut a mask at 63 characters, the
  // raw value does not, and such a mask is the same for both.
  if (!IsNumberType(prepared.editType) || mask.size() >= 64 || ShouldSwapCurrency(valueType, s)) return;
  AnsiText text;
  if (!text.AssignUtf8(mask.data(), mask.size())) return;
  // The checks read with sThousand, the raw value with sMonThousandSep.
  if (s.sThousand != s.sMonThousandSep) return;
  const char* m = EffectiveMask(prepared.editType, text.data(), s);
  number_detail::PrepareNumberReader(prepared.reader,
                                     NumberRequest{m, s.sSystemCurrency, s.sDecimal, s.sThousand}, s);
  const bool rawIsAscii = static_cast<unsigned char>(s.sNegativeSign) < 0x80 &&
                          static_cast<unsigned char>(s.sDecimal) < 0x80 &&
                          static_cast<unsigned char>(s.sMonDecimalSep) < 0x80 &&
                          IsAscii(s.sRawCurrencyFormat) && IsAscii(s.sRawWholeFormat) &&
                          IsAscii(s.sRawDecimalFormat);
  const char* rawFormat = s.sRawWholeFormat;
  char point = 0;
  if (prepared.editType == etCurrency) {
    rawFormat = s.sRawCurrencyFormat;
    point = s.sMonDecimalSep;
  } else if (prepared.editType == etSingle || prepared.editType == etDouble) {
    rawFormat = s.sRawDecimalFormat;
    point = s.sDecimal;
  }
  // As FormatRawNumber takes its direct path: a sign it shows as it stands.
  const char sign = s.sNegativeSign;
  const bool literalSign = sign != '0' && sign != '#' && sign != ';' && sign != '\\' &&
                           sign != '"' && sign != '_' && !(point && sign == point);
  if (literalSign && std::strcmp(rawFormat, "0") == 0) prepared.rawShape = '0';
  if (literalSign && point && rawFormat[0] == '0' && rawFormat[1] == point && rawFormat[2] == '#' &&
      rawFormat[3] == '\0') {
    prepared.rawShape = '.';
  }
  prepared.rawPoint = point;
  prepared.negativeSign = sign;
  prepared.ready = true;
  prepared.rawReady = rawIsAscii;
}

int PreparedIsValid(const PreparedNumber& prepared, const char* value, std::size_t length) noexcept {
  if (!prepared.ready) return -1;
  NumberParts parts;
  const int verdict = number_detail::ReadNumber(prepared.reader, value, length, parts);
  if (verdict < 0 || parts.noDigits || length == 0) return verdict;
  return NumberInRange(verdict, parts, prepared.editType, value, Intl());
}

std::ptrdiff_t PreparedRawValue(const PreparedNumber& prepared, const char* value, std::size_t length,
                                char* dest, std::size_t size) noexcept {
  if (!prepared.rawReady || size < kAnswerBytes) return -1;
  NumberParts parts;
  number_detail::WholeText whole;
  const int verdict = number_detail::ReadNumber(prepared.reader, value, length, parts, &whole);
  if (verdict < 0) return -1;
  if (length == 0 || parts.noDigits) {
    dest[0] = '\0';
    return 0;
  }
  if (std::size_t n; prepared.rawShape && WriteRawDigits(prepared, parts, whole, dest, n)) {
    return static_cast<std::ptrdiff_t>(n);
  }
  WriteRawNumber(dest, kAnswerBytes, prepared.editType, parts, Intl());
  return static_cast<std::ptrdiff_t>(std::strlen(dest));
}

}  // namespace zorva
