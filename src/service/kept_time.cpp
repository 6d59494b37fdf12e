#include "service/kept_time.h"

namespace zorva {

void PrepareKeptTime(KeptTime& time, const char* mask, const IntlSettings& s) noexcept {
  time.ready = ReadTimeReadPlan(mask, time.maskRead) &&
               ReadTimeFormatPlan(mask, time.maskFormat) && ReadTimeReadPlan(s.sRawTimeMask, time.rawRead) &&
               ReadTimeFormatPlan(s.sRawTimeMask, time.rawFormat);
}

// An empty value answers empty, under any mask.
std::size_t KeptRawTime(const KeptTime& time, const char* value, char* answer, std::size_t bytes) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  TimeValue t = ReadTimePlan(value, time.maskRead);
  if (t.isBlank) return 0;
  return FormatTimePlan(answer, bytes, time.rawFormat, t);  // not held to its ranges here
}

std::size_t KeptFormattedTime(const KeptTime& time, const char* value, char* answer, std::size_t bytes) noexcept {
  answer[0] = '\0';
  if (!*value) return 0;
  return ReformatTimePlan(answer, bytes, value, time.rawRead, time.maskFormat);
}

}  // namespace zorva
