// A date-time mask kept by the automation front: its date half read into a
// KeptDate and its time half into a KeptTime, and the answers built from
// them as the dispatcher builds them from the halves.
#pragma once

#include <cstddef>

#include "service/answer_size.h"
#include "service/kept_date.h"
#include "service/kept_time.h"

namespace zorva {

// `ready` false in either unless the mask has a blank and both halves plan.
void PrepareKeptDateTime(KeptDate& date, KeptTime& time, const char* mask, const IntlSettings& s) noexcept;

// MakeRawValue's and MakeFormattedValue's answers for a zero-terminated
// value; they return the answer's length.
std::size_t KeptRawDateTime(const KeptDate& date, const KeptTime& time, const char* value,
                            char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept;
std::size_t KeptFormattedDateTime(const KeptDate& date, const KeptTime& time, const char* value,
                                  char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept;

// A date, time or date-time mask (`editType`; the mask text, empty for the
// type's default) read into the plans it takes: a date's, a time's, or both
// halves' for a date-time. False, neither ready, for another type or a mask
// too long to plan.
bool PrepareKeptPlans(KeptDate& date, KeptTime& time, int editType, const char* mask,
                      const IntlSettings& s) noexcept;

// MakeRawValue's and MakeFormattedValue's answers through the plans of a
// date (`time` null), a time (`date` null) or a date-time (both).
// Inline: each front's call of them is its hot path.
inline std::size_t PlannedRaw(const KeptDate* date, const KeptTime* time, const char* value,
                              char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept {
  if (date && time) return KeptRawDateTime(*date, *time, value, answer, s);
  if (date) return KeptRawDate(*date, value, answer, sizeof answer, s);
  return KeptRawTime(*time, value, answer, sizeof answer);
}

inline std::size_t PlannedFormatted(const KeptDate* date, const KeptTime* time, const char* value,
                                    char (&answer)[kAnswerBytes], const IntlSettings& s) noexcept {
  if (date && time) return KeptFormattedDateTime(*date, *time, value, answer, s);
  if (date) return KeptFormattedDate(*date, value, answer, sizeof answer, s);
  return KeptFormattedTime(*time, value, answer, sizeof answer);
}

}  // namespace zorva
