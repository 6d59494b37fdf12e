#include <cstring>

#include "charmask/charmask.h"
#include "date/calendar.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "number/number.h"
#include "service/boolean.h"
#include "service/datetime_halves.h"
#include "service/default_number_mask.h"
#include "service/dispatch.h"
#include "service/prepared_number.h"
#include "time/time_validate.h"

namespace zorva {
namespace {

int ValidateNumber(const char* value, const char* mask, EditType e, const IntlSettings& s) {
  NumberRequest request{mask, s.sSystemCurrency, s.sDecimal, s.sThousand};
  NumberParts parts;
  const int verdict = ParseNumber(value, request, parts, s);
  return parts.noDigits ? verdict : NumberInRange(verdict, parts, e, value, s);
}

// A value is valid when the text its state renders to reads back as that state.
int ValidateBoolean(const char* value, const char* mask) {
  int state = BooleanState(value, mask);
  char scratch[256] = {};
  BooleanText(scratch, sizeof scratch, mask, state);
  return BooleanState(scratch, mask) == state ? 1 : 0;
}

int ValidateDateTime(const char* value, const char* mask) {
  DateTimeHalves halves;
  if (!halves.Split(value, mask)) return 0;
  if (halves.dateLength > 255) return 0;  // too long for a date: refused, not cut
  int r = ValidateValue(halves.date, halves.dateMask, tkMEDate);
  if (r == 0) return 0;
  if (!halves.time) return r;  // no time part: valid when the date is
  const char* time = halves.time + 1;
  if (std::strlen(time) > 255) return 0;
  return ValidateValue(time, halves.timeMask, tkMETime);
}

}  // namespace

// Range limits on the parsed magnitude; the sign is checked apart, so each
// holds for both signs, and a value equal to a limit is valid.
int NumberInRange(int verdict, const NumberParts& parts, EditType e, const char* value,
                  const IntlSettings& s) noexcept {
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

int ValidateValue(const char* value, const char* mask, std::int32_t valueType) noexcept {
  if (!value || !*value) return 1;  // empty is valid for every type and mask
  EditType e = EditTypeOf(valueType);
  if (e == etText) {  // the whole mask, uncut, and no settings
    char scratch[256];
    return ExtractMaskedText(scratch, value, mask, sizeof scratch) ? 1 : 0;
  }
  const IntlSettings& s = Intl();
  // The mask is read cut to 63 characters: a copy only when that cuts it.
  char copy[64];
  const char* m = mask;
  if (mask && *mask) {
    if (strnlen(mask, sizeof copy) == sizeof copy) {
      std::memcpy(copy, mask, sizeof copy - 1);
      copy[sizeof copy - 1] = '\0';
      m = copy;
    }
  } else if (!(m = SettingsNumberMask(e, s))) {
    std::memset(copy, 0, sizeof copy);
    DefaultMaskFor(copy, e, sizeof copy);
    m = copy;
  }
  if (!IsDispatchable(e)) return 1;
  switch (e) {
    case etCurrency:
    case etByte:
    case etInteger:
    case etLong:
    case etSingle:
    case etDouble:
      return ValidateNumber(value, m, e, s);
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
