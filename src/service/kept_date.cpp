#include "service/kept_date.h"

namespace zorva {

void PrepareKeptDate(KeptDate& date, const char* mask, const IntlSettings& s) noexcept {
  date.ready = ReadDateMaskPlan(mask, date.mask, s) && ReadDateMaskPlan(s.sRawDateMask, date.raw, s);
}

// An empty value answers empty, under any mask.
std::size_t KeptRawDate(const KeptDate& date, const char* value, char* answer, std::size_t bytes,
                        const IntlSettings& s) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  DateParts parts;
  ParseDatePlan(value, date.mask, parts, false, s);
  if (parts.empty) return 0;
  return FormatDatePlan(answer, bytes, date.raw, parts, s);  // impossible dates as they stand
}

std::size_t KeptFormattedDate(const KeptDate& date, const char* value, char* answer, std::size_t bytes,
                              const IntlSettings& s) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  DateParts parts;
  ParseDatePlan(value, date.raw, parts, true, s);  // month names in full
  return FormatDatePlan(answer, bytes, date.mask, parts, s);
}

}  // namespace zorva
