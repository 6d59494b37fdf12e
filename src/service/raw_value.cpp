// Each type's raw value of an entered value (see answers.h).
#include <cstring>

#include "charmask/charmask.h"
#include "date/date_format.h"
#include "date/date_parse.h"
#include "number/number.h"
#include "platform/bounded_text.h"
#include "service/answer_size.h"
#include "service/answers.h"
#include "service/boolean.h"
#include "service/datetime_halves.h"
#include "service/prepared_number.h"
#include "time/time_format.h"

namespace zorva {

int RawText(char* answer, std::size_t bytes, const char* value, const char* mask,
            const FormatRequest&, const IntlSettings& s) noexcept {
  ExtractMaskedText(answer, bytes - 1, value, mask, s);  // one character short of the buffer
  return 1;
}

// Numbers: read with the caller's format, written with the type's raw format
// and no grouping.
int RawNumber(char* answer, std::size_t bytes, const char* value, const char* mask,
              const FormatRequest& request, const IntlSettings& s) noexcept {
  NumberRequest number{mask, request.currencySymbol, request.decimalSep, request.thousandSep};
  NumberParts parts;
  ParseNumber(value, number, parts, s);  // an ill-formed text still yields its parts
  if (!parts.noDigits) WriteRawNumber(answer, bytes, static_cast<EditType>(request.editType), parts, s);
  return 1;
}

int RawDate(char* answer, std::size_t bytes, const char* value, const char* mask,
            const FormatRequest&, const IntlSettings& s) noexcept {
  DateParts parts;
  ParseDate(value, mask, parts, false, s);
  if (parts.empty) return 1;
  FormatDate(answer, bytes, s.sRawDateMask, parts, s);  // impossible dates are written as they stand
  return 1;
}

int RawTime(char* answer, std::size_t bytes, const char* value, const char* mask,
            const FormatRequest&, const IntlSettings& s) noexcept {
  TimeValue time = ReadTimeLenient(value, mask);
  if (time.isBlank) return 1;
  FormatTime(answer, bytes, s.sRawTimeMask, time);  // not held to its ranges here
  return 1;
}

int RawBoolean(char* answer, std::size_t bytes, const char* value, const char* mask,
               const FormatRequest&, const IntlSettings& s) noexcept {
  if (value[0] == ' ') return 1;
  ConvertBoolean(answer, bytes, value, mask, s.sRawBooleanMask);
  return 1;
}

// The raw date, a blank and the raw time; a blank date part stays as typed.
int RawDateTime(char* answer, std::size_t bytes, const char* value, const char* mask,
                const FormatRequest&, const IntlSettings& s) noexcept {
  DateTimeHalves halves;
  if (!halves.Split(value, mask)) return 1;
  char* work = halves.date;  // kAnswerBytes: the answer is built here
  DateParts parts;
  ParseDate(work, halves.dateMask, parts, false, s);
  if (!parts.empty) {
    char date[kAnswerBytes];
    FormatDate(date, sizeof date, s.sRawDateMask, parts, s);
    std::memcpy(work, date, sizeof date);
  }
  TimeValue time = ReadTimeLenient(halves.time ? halves.time : "", halves.timeMask);
  std::size_t length = std::strlen(work);
  if (!time.isBlank && length + 1 < sizeof halves.date) {
    work[length] = ' ';
    FormatTime(work + length + 1, sizeof halves.date - length - 1, s.sRawTimeMask, time);
  }
  CopyCut(answer, bytes, work, std::strlen(work));
  return 1;
}

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

}  // namespace zorva
