#include <algorithm>
#include <cstring>

#include "charmask/charmask.h"
#include "date/date_format.h"
#include "date/date_parse.h"
#include "intl/settings.h"
#include "intl/string_table.h"
#include "number/number.h"
#include "service/boolean.h"
#include "service/datetime_halves.h"
#include "service/default_number_mask.h"
#include "service/dispatch.h"
#include "service/prepared_number.h"
#include "time/time_format.h"

namespace zorva {
namespace {

// Numbers: read with the caller's format, written with the type's raw format
// and no grouping.
void RawNumber(char* answer, std::size_t bytes, const char* value, const char* mask,
               const FormatRequest& request, const IntlSettings& s) {
  NumberRequest number{mask, request.currencySymbol, request.decimalSep, request.thousandSep};
  NumberParts parts;
  ParseNumber(value, number, parts, s);  // an ill-formed text still yields its parts
  if (!parts.noDigits) WriteRawNumber(answer, bytes, static_cast<EditType>(request.editType), parts, s);
}

void RawDate(char* answer, std::size_t bytes, const char* value, const char* mask) {
  DateParts parts;
  ParseDate(value, mask, parts, false);
  if (parts.empty) return;
  FormatDate(answer, bytes, Intl().sRawDateMask, parts);  // impossible dates are written as they stand
}

void RawTime(char* answer, std::size_t bytes, const char* value, const char* mask) {
  TimeValue time = ReadTimeLenient(value, mask);
  if (time.isBlank) return;
  FormatTime(answer, bytes, Intl().sRawTimeMask, time);  // not held to its ranges here
}

void RawBoolean(char* answer, std::size_t bytes, const char* value, const char* mask) {
  if (value[0] == ' ') return;
  ConvertBoolean(answer, bytes, value, mask, Intl().sRawBooleanMask);
}

// The raw date, a blank and the raw time; a blank date part stays as typed.
void RawDateTime(char* answer, std::size_t bytes, const char* value, const char* mask) {
  DateTimeHalves halves;
  if (!halves.Split(value, mask)) return;
  char* work = halves.date;  // 256 bytes: the answer is built here
  DateParts parts;
  ParseDate(work, halves.dateMask, parts, false);
  if (!parts.empty) {
    char date[256];
    FormatDate(date, sizeof date, Intl().sRawDateMask, parts);
    std::memcpy(work, date, sizeof date);
  }
  TimeValue time = ReadTimeLenient(halves.time ? halves.time : "", halves.timeMask);
  std::size_t length = std::strlen(work);
  if (!time.isBlank && length + 1 < sizeof halves.date) {
    work[length] = ' ';
    FormatTime(work + length + 1, sizeof halves.date - length - 1, Intl().sRawTimeMask, time);
  }
  std::size_t n = std::min(std::strlen(work), bytes - 1);
  std::memcpy(answer, work, n);
  answer[n] = '\0';
}

}  // namespace

void WriteRawNumber(char* answer, std::size_t bytes, EditType e, const NumberParts& parts,
                    const IntlSettings& s) noexcept {
  const char* rawFormat = s.sRawWholeFormat;
  char decimalSep = 0;
  if (e == etCurrency) {
    rawFormat = s.sRawCurrencyFormat;
    decimalSep = s.sMonDecimalSep;
  } else if (e == etSingle || e == etDouble) {
    rawFormat = s.sRawDecimalFormat;
    decimalSep = s.sDecimal;
  }
  FormatRawNumber(answer, bytes, rawFormat, decimalSep, parts, s);
}

int MakeRawValue(char* answer, const char* value, const FormatRequest& request,
                 std::size_t capacity) noexcept {
  if (!answer) return 1;
  char defaultMask[64];
  const char* m = request.mask;
  if (!m || !*m) {
    m = SettingsNumberMask(request.editType, Intl());
    if (!m) {
      std::memset(defaultMask, 0, sizeof defaultMask);
      DefaultMaskFor(defaultMask, request.editType, sizeof defaultMask);
      m = defaultMask;
    }
  }
  answer[0] = '\0';
  if (!value || !*value || !IsDispatchable(request.editType)) return 1;
  // Engines that work in the service's fixed answer buffer are told its size
  // in bytes; the character-mask engine takes the capacity itself.
  const std::size_t bytes = capacity + 1;
  switch (request.editType) {
    case etText: ExtractMaskedText(answer, value, m, capacity); break;
    case etCurrency:
    case etByte:
    case etInteger:
    case etLong:
    case etSingle:
    case etDouble: RawNumber(answer, bytes, value, m, request, Intl()); break;
    case etDate: RawDate(answer, bytes, value, m); break;
    case etTime: RawTime(answer, bytes, value, m); break;
    case etBoolean: RawBoolean(answer, bytes, value, m); break;
    case etDateTime: RawDateTime(answer, bytes, value, m); break;
    default: break;
  }
  return 1;
}

}  // namespace zorva
