#include <cstring>

#include "charmask/charmask.h"
#include "date/calendar.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "number/number.h"
#include "service/boolean.h"
#include "service/dispatch.h"
#include "time/time_validate.h"

namespace zorva {
namespace {

// Range limits on the parsed magnitude; the sign is checked apart, so each
// holds for both signs, and a value equal to a limit is valid.
int ValidateNumber(const char* value, const char* mask, EditType e) {
  const IntlSettings& s = Intl();
  char currency[16];
  std::memcpy(currency, s.sSystemCurrency, sizeof currency);
  NumberRequest request{mask, currency, s.sDecimal, s.sThousand};
  NumberParts parts;
  int verdict = ParseNumber(value, request, parts);
  if (parts.noDigits) return verdict;
  switch (e) {
    case etCurrency:
      if (parts.integerPart > 99999999999.0) return 0;
      if (parts.fraction > 9999.0) return 0;
      break;
    case etByte: if (parts.integerPart > 127.0) return 0; break;
    case etInteger: if (parts.integerPart > 32767.0) return 0; break;
    case etLong: if (parts.integerPart > 2147483647.0) return 0; break;
    case etSingle: if (TooManyDigits(value, 7, s.sDecimal)) return 0; break;
    case etDouble: if (TooManyDigits(value, 15, s.sDecimal)) return 0; break;
    default: break;
  }
  return verdict;
}

// A value is valid when the text its state renders to reads back as that state.
int ValidateBoolean(const char* value, const char* mask) {
  int state = BooleanState(value, mask);
  char scratch[256] = {};
  BooleanText(scratch, sizeof scratch, mask, state);
  return BooleanState(scratch, mask) == state ? 1 : 0;
}

// Copies at most `room` characters of [begin, end) into dest, zero-filled.
template <std::size_t N>
void CopyHalf(char (&dest)[N], const char* begin, std::size_t length) {
  std::memset(dest, 0, N);
  std::memcpy(dest, begin, length < N - 1 ? length : N - 1);
}

int ValidateDateTime(const char* value, const char* mask) {
  const char* maskBlank = mask ? std::strchr(mask, ' ') : nullptr;
  if (!maskBlank) return 0;
  const char* valueBlank = std::strchr(value, ' ');
  std::size_t dateLength = valueBlank ? static_cast<std::size_t>(valueBlank - value) : std::strlen(value);
  char half[256];
  char halfMask[64];
  if (dateLength > 255) return 0;
  CopyHalf(half, value, dateLength);
  CopyHalf(halfMask, mask, static_cast<std::size_t>(maskBlank - mask));
  int r = ValidateValue(half, halfMask, tkMEDate);
  if (r == 0) return 0;
  if (!valueBlank) return r;  // no time part: valid when the date is
  std::size_t timeLength = std::strlen(valueBlank + 1);
  if (timeLength > 255) return 0;
  CopyHalf(halfMask, maskBlank + 1, std::strlen(maskBlank + 1));
  CopyHalf(half, valueBlank + 1, timeLength);
  return ValidateValue(half, halfMask, tkMETime);
}

}  // namespace

int ValidateValue(const char* value, const char* mask, std::int32_t valueType) noexcept {
  if (!value || !*value) return 1;  // empty is valid for every type and mask
  EditType e = EditTypeOf(valueType);
  char m[64] = {};
  if (mask && *mask) {
    std::strncpy(m, mask, 63);
  } else {
    DefaultMaskFor(m, e, sizeof m);
  }
  if (!IsDispatchable(e)) return 1;
  switch (e) {
    case etText: {
      char scratch[256] = {};
      return ExtractMaskedText(scratch, value, mask, sizeof scratch) ? 1 : 0;
    }
    case etCurrency:
    case etByte:
    case etInteger:
    case etLong:
    case etSingle:
    case etDouble:
      return ValidateNumber(value, m, e);
    case etDate: {
      DateParts parts;
      ParseDate(value, m, parts, false);
      int a = IsValidDate(parts);
      int b = CheckDateShape(value, m);  // both are always evaluated
      return a && b ? 1 : 0;
    }
    case etTime: return ValidateTime(value, m) ? 1 : 0;
    case etBoolean: return ValidateBoolean(value, m);
    case etDateTime: return ValidateDateTime(value, mask);
    default: return 1;
  }
}

}  // namespace zorva
