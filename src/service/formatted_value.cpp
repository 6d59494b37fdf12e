// Each type's rendering of a raw value under a mask (see answers.h), and the
// whole-number path read once for many values.
#include <cstring>

#include "charmask/charmask.h"
#include "date/date_format.h"
#include "number/number.h"
#include "platform/bounded_text.h"
#include "service/answer_size.h"
#include "service/answers.h"
#include "service/boolean.h"
#include "service/datetime_halves.h"
#include "service/dispatch.h"
#include "time/time_format.h"

namespace zorva {
namespace {

// Decimal digits directly after the first decimal separator of text.
std::size_t FractionDigitsAfter(const char* text, char separator, const char** end) {
  const char* p = separator ? std::strchr(text, separator) : nullptr;
  *end = nullptr;
  if (!p) return 0;
  const char* q = p + 1;
  while (*q >= '0' && *q <= '9') ++q;
  *end = q;
  return static_cast<std::size_t>(q - p - 1);
}

// What FitFractionDigits does to a value: nothing, add zeros up to the
// format's fixed decimals, or round to them.
enum class Fit { kNone, kPad, kRound };

Fit FitOf(const char* value, const NumberConversion& conversion) {
  const char* digitsEnd;
  std::size_t dv = FractionDigitsAfter(value, conversion.parseDecimalSep, &digitsEnd);
  if (digitsEnd && (*digitsEnd == 'e' || *digitsEnd == 'E')) return Fit::kNone;
  const char* maskEnd;
  std::size_t dm = conversion.toFormat
                       ? FractionDigitsAfter(conversion.toFormat, conversion.parseDecimalSep, &maskEnd)
                       : 0;
  if (dv >= 1 && dv < dm) return Fit::kPad;
  if (dm == 0 || dv <= dm) return Fit::kNone;
  return Fit::kRound;
}

bool IsWholeType(int editType) {
  return editType == etByte || editType == etInteger || editType == etLong;
}

NumberConversion ConversionFor(const char* mask, const FormatRequest& request,
                               const IntlSettings& s) {
  NumberConversion conversion;
  conversion.fromFormat = s.sRawWholeFormat;
  conversion.parseDecimalSep = s.sDecimal;
  conversion.parseThousandSep = s.sThousand;
  if (request.editType == etCurrency) {
    conversion.fromFormat = s.sRawCurrencyFormat;
    conversion.parseDecimalSep = s.sMonDecimalSep;
    conversion.parseThousandSep = s.sMonThousandSep;
  } else if (request.editType == etSingle || request.editType == etDouble) {
    conversion.fromFormat = s.sRawDecimalFormat;
  }
  conversion.toFormat = mask;
  conversion.outDecimalSep = request.decimalSep;
  conversion.outThousandSep = request.thousandSep;
  conversion.currencySymbol = request.currencySymbol;
  return conversion;
}

}  // namespace

int FormattedText(char* answer, std::size_t bytes, const char* value, const char* mask,
                  const FormatRequest&, const IntlSettings& s) noexcept {
  FormatMaskedText(answer, bytes - 1, value, mask, s);  // one character short of the buffer
  return 1;
}

int FormattedNumber(char* answer, std::size_t bytes, const char* value, const char* mask,
                    const FormatRequest& request, const IntlSettings& s) noexcept {
  const NumberConversion conversion = ConversionFor(mask, request, s);
  // The caller's text is never changed: fit a copy, cut to 255 characters,
  // when fitting or cutting changes it.
  const std::size_t length = strnlen(value, kAnswerBytes);
  if (length < kAnswerBytes) {
    // The usual raw text ("-1234.5678") is fitted and rendered in one pass.
    const char* maskEnd;
    const std::size_t places =
        conversion.toFormat ? FractionDigitsAfter(conversion.toFormat, conversion.parseDecimalSep, &maskEnd) : 0;
    if (places < kAnswerBytes &&
        ConvertFittedDecimal(answer, bytes, value, length, conversion, static_cast<int>(places), s) > 0) {
      return 1;
    }
  }
  if (length < kAnswerBytes && FitOf(value, conversion) == Fit::kNone) {
    ConvertNumber(answer, bytes, value, conversion, s);
    return 1;
  }
  char work[kAnswerBytes];
  CopyCut(work, value, length);
  FitFractionDigits(work, conversion, s);
  ConvertNumber(answer, bytes, work, conversion, s);
  return 1;
}

// The whole-number types: a whole number under a plain run ("#,##0") is laid
// out from its digits, any other through the general conversion.
int FormattedWhole(char* answer, std::size_t bytes, const char* value, const char* mask,
                   const FormatRequest& request, const IntlSettings& s) noexcept {
  if (ConvertWholeText(answer, bytes, value, mask, request.decimalSep, request.thousandSep, request.currencySymbol,
                       s) < 0) {
    ConvertNumber(answer, bytes, value, ConversionFor(mask, request, s), s);
  }
  return 1;
}

int FormattedDate(char* answer, std::size_t bytes, const char* value, const char* mask,
                  const FormatRequest&, const IntlSettings& s) noexcept {
  ConvertDate(answer, bytes, value, s.sRawDateMask, mask, s);
  return 1;
}

int FormattedTime(char* answer, std::size_t bytes, const char* value, const char* mask,
                  const FormatRequest&, const IntlSettings& s) noexcept {
  ReformatTime(answer, bytes, value, s.sRawTimeMask, mask);
  return 1;
}

int FormattedBoolean(char* answer, std::size_t bytes, const char* value, const char* mask,
                     const FormatRequest&, const IntlSettings& s) noexcept {
  ConvertBoolean(answer, bytes, value, s.sRawBooleanMask, mask);
  return 1;
}

// The rendered date, a blank, the rendered time; a missing time part renders
// as the time mask's placeholders.
int FormattedDateTime(char* answer, std::size_t bytes, const char* value, const char* mask,
                      const FormatRequest&, const IntlSettings& s) noexcept {
  DateTimeHalves halves;
  if (!halves.Split(value, mask)) return 1;
  ConvertDate(answer, bytes, halves.date, s.sRawDateMask, halves.dateMask, s);
  char time[kAnswerBytes];
  CopyCut(time, halves.time ? halves.time + 1 : "", halves.time ? std::strlen(halves.time + 1) : 0);
  std::size_t length = std::strlen(answer);
  if (length + 1 >= bytes) return 1;
  answer[length] = ' ';
  answer[length + 1] = '\0';
  ReformatTime(answer + length + 1, bytes - length - 1, time, s.sRawTimeMask, halves.timeMask);
  return 1;
}

void FitFractionDigits(char* value, const NumberConversion& conversion,
                       const IntlSettings& s) noexcept {
  if (!value) return;
  const Fit fit = FitOf(value, conversion);
  if (fit == Fit::kNone) return;
  const char* end;
  const std::size_t dv = FractionDigitsAfter(value, conversion.parseDecimalSep, &end);
  const std::size_t dm = FractionDigitsAfter(conversion.toFormat, conversion.parseDecimalSep, &end);
  if (fit == Fit::kPad) {
    std::size_t length = std::strlen(value);
    for (std::size_t i = dv; i < dm && length < kAnswerChars; ++i) value[length++] = '0';
    value[length] = '\0';
    return;
  }

  // More fraction digits than the mask shows: round to its places by reading
  // the text against "0.00;-0.00" (as many zeros as the mask has).
  char format[2 * 258 + 2];
  std::size_t n = 0;
  auto section = [&] {
    format[n++] = '0';
    format[n++] = s.sDecimal;
    for (std::size_t i = 0; i < dm; ++i) format[n++] = '0';
  };
  section();
  format[n++] = ';';
  format[n++] = s.sNegativeSign;
  section();
  format[n] = '\0';
  NumberRequest request{format, conversion.currencySymbol, conversion.parseDecimalSep,
                        conversion.parseThousandSep};
  NumberParts parts;
  ParseNumber(value, request, parts, s);
  FormatNumber(value, kAnswerBytes, request, parts);
}

int RoundedPlaces(const char* mask, const FormatRequest& request, const IntlSettings& s) noexcept {
  const NumberConversion conversion = ConversionFor(mask, request, s);
  const char* end;
  const std::size_t places = FractionDigitsAfter(mask, conversion.parseDecimalSep, &end);
  return places < kAnswerBytes && RoundsFittedDecimals(conversion, static_cast<int>(places), s)
             ? static_cast<int>(places)
             : -1;
}

std::uint64_t WholeMaskKey(const FormatRequest& request) noexcept {
  if (!IsWholeType(request.editType) || !request.mask || !*request.mask) return 0;
  return WholeRunKey(request.mask, request.decimalSep, request.thousandSep);
}

int FormattedWholeValue(char* answer, std::size_t size, const char* value, std::size_t length,
                       const FormatRequest& request, std::uint64_t key,
                        const IntlSettings& s) noexcept {
  if (key == 0 || !IsWholeType(request.editType) || !request.mask || !*request.mask) return -1;
  const NumberConversion conversion = ConversionFor(request.mask, request, s);
  return ConvertRawWhole(answer, size, value, length, conversion, key, s);
}

}  // namespace zorva
