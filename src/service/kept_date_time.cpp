#include "service/kept_date_time.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "service/default_mask.h"

namespace zorva {

void PrepareKeptDateTime(KeptDate& date, KeptTime& time, const char* mask, const IntlSettings& s) noexcept {
  date.ready = time.ready = false;
  const char* blank = std::strchr(mask, ' ');
  if (!blank) return;  // a date-time mask has no default
  char dateMask[kDatePlanBytes];
  CopyCut(dateMask, mask, static_cast<std::size_t>(blank - mask));
  PrepareKeptDate(date, dateMask, s);
  PrepareKeptTime(time, blank + 1, s);
  if (!date.ready || !time.ready) date.ready = time.ready = false;
}

// The value's date half is read from a copy cut at its first blank (and to
// 255 characters); its time half keeps the blank before it.
std::size_t KeptRawDateTime(const KeptDate& date, const KeptTime& time, const char* value,
                            char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  const char* blank = std::strchr(value, ' ');
  std::size_t length =
      CopyCut(answer, value, blank ? static_cast<std::size_t>(blank - value) : std::strlen(value));
  DateParts parts;
  ParseDatePlan(answer, date.mask, parts, false, s);
  // Read, the date is written over the half in the raw form; unread, it stays.
  if (!parts.empty) length = FormatDatePlan(answer, sizeof answer, date.raw, parts, s);
  TimeValue t = ReadTimePlan(blank ? blank : "", time.maskRead);
  if (t.isBlank || length + 1 >= sizeof answer) return length;
  answer[length] = ' ';
  return length + 1 + FormatTimePlan(answer + length + 1, sizeof answer - length - 1, time.rawFormat, t);
}

std::size_t KeptFormattedDateTime(const KeptDate& date, const KeptTime& time, const char* value,
                                  char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  const char* blank = std::strchr(value, ' ');
  char half[kAnswerBytes];
  CopyCut(half, value, blank ? static_cast<std::size_t>(blank - value) : std::strlen(value));
  DateParts parts;
  ParseDatePlan(half, date.raw, parts, true, s);  // an empty half shows placeholders
  const std::size_t length = FormatDatePlan(answer, sizeof answer, date.mask, parts, s);
  if (length + 1 >= sizeof answer) return length;
  answer[length] = ' ';
  CopyCut(half, blank ? blank + 1 : "", blank ? std::strlen(blank + 1) : 0);
  return length + 1 + ReformatTimePlan(answer + length + 1, sizeof answer - length - 1, half, time.rawRead,
                                       time.maskFormat);
}

bool PrepareKeptPlans(KeptDate& date, KeptTime& time, int editType, const char* mask,
                      const IntlSettings& s) noexcept {
  date.ready = time.ready = false;
  if (editType == etDate) PrepareKeptDate(date, EffectiveMask(etDate, mask, s), s);
  if (editType == etTime) PrepareKeptTime(time, EffectiveMask(etTime, mask, s), s);
  if (editType == etDateTime) PrepareKeptDateTime(date, time, mask, s);
  return date.ready || time.ready;
}

}  // namespace zorva
