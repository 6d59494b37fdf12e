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

}  // namespace zorva
