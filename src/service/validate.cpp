// Each type's check of an entered value (see answers.h).
#include <cstring>

#include "charmask/charmask.h"
#include "date/calendar.h"
#include "date/date_mask.h"
#include "date/date_parse.h"
#include "number/number.h"
#include "service/answer_size.h"
#include "service/answers.h"
#include "service/boolean.h"
#include "service/datetime_halves.h"
#include "service/dispatch.h"
#include "service/prepared_number.h"
#include "time/time_validate.h"

namespace zorva {

int ValidText(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept {
  char scratch[kAnswerBytes];
  return ExtractMaskedText(scratch, sizeof scratch, value, mask, s) ? 1 : 0;
}

int ValidNumber(const char* value, const char* mask, EditType e, const IntlSettings& s) noexcept {
  NumberRequest request{mask, s.sSystemCurrency, s.sDecimal, s.sThousand};
  NumberParts parts;
  const int verdict = ParseNumber(value, request, parts, s);
  return parts.noDigits ? verdict : NumberInRange(verdict, parts, e, value, s);
}

int ValidDate(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept {
  DateParts parts;
  ParseDate(value, mask, parts, false, s);
  int a = IsValidDate(parts);
  int b = CheckDateShape(value, mask, s);  // both are always evaluated
  return a && b ? 1 : 0;
}

int ValidTime(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept {
  return ValidateTime(value, mask, s) ? 1 : 0;
}

// A value is valid when the text its state renders to reads back as that state.
int ValidBoolean(const char* value, const char* mask, EditType, const IntlSettings&) noexcept {
  int state = BooleanState(value, mask);
  char scratch[kAnswerBytes] = {};
  BooleanText(scratch, sizeof scratch, mask, state);
  return BooleanState(scratch, mask) == state ? 1 : 0;
}

int ValidDateTime(const char* value, const char* mask, EditType, const IntlSettings& s) noexcept {
  DateTimeHalves halves;
  if (!halves.Split(value, mask)) return 0;
  if (halves.dateLength > kAnswerChars) return 0;  // too long for a date: refused, not cut
  int r = ValidateValue(halves.date, halves.dateMask, tkMEDate, s);
  if (r == 0) return 0;
  if (!halves.time) return r;  // no time part: valid when the date is
  const char* time = halves.time + 1;
  if (std::strlen(time) > kAnswerChars) return 0;
  return ValidateValue(time, halves.timeMask, tkMETime, s);
}

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

}  // namespace zorva
