#include "service/prepared_number.h"

#include <cstring>

#include "intl/settings.h"
#include "service/default_number_mask.h"
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

}  // namespace

void PrepareNumber(PreparedNumber& prepared, std::int32_t valueType, std::string_view mask) noexcept {
  prepared.ready = false;
  prepared.editType = EditTypeOf(valueType);
  // Masks under 64 bytes only: the checks cut a mask at 63 characters, the
  // raw value does not, and such a mask is the same for both.
  if (!IsNumberType(prepared.editType) || mask.size() >= 64 || ShouldSwapCurrency(valueType)) return;
  AnsiText text;
  if (!text.AssignUtf8(mask.data(), mask.size())) return;
  const IntlSettings& s = Intl();
  // The checks read with sThousand, the raw value with sMonThousandSep.
  if (s.sThousand != s.sMonThousandSep) return;
  char defaultMask[64] = {};
  const char* m = text.data();
  if (!*m && !(m = SettingsNumberMask(prepared.editType, s))) {
    DefaultMaskFor(defaultMask, prepared.editType, sizeof defaultMask);
    m = defaultMask;
  }
  number_detail::PrepareNumberReader(prepared.reader,
                                     NumberRequest{m, s.sSystemCurrency, s.sDecimal, s.sThousand}, s);
  prepared.rawIsAscii = static_cast<unsigned char>(s.sNegativeSign) < 0x80 &&
                        static_cast<unsigned char>(s.sDecimal) < 0x80 &&
                        static_cast<unsigned char>(s.sMonDecimalSep) < 0x80 &&
                        IsAscii(s.sRawCurrencyFormat) && IsAscii(s.sRawWholeFormat) &&
                        IsAscii(s.sRawDecimalFormat);
  prepared.ready = true;
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
  // Answers are at most 255 characters, here as in the service's buffer.
  constexpr std::size_t kAnswerBytes = 256;
  if (!prepared.ready || !prepared.rawIsAscii || size < kAnswerBytes) return -1;
  NumberParts parts;
  const int verdict = number_detail::ReadNumber(prepared.reader, value, length, parts);
  if (verdict < 0) return -1;
  if (length == 0 || parts.noDigits) {
    dest[0] = '\0';
    return 0;
  }
  WriteRawNumber(dest, kAnswerBytes, prepared.editType, parts, Intl());
  return static_cast<std::ptrdiff_t>(std::strlen(dest));
}

}  // namespace zorva
