// A date type's mask and the settings' raw date mask, each read once into
// a plan for a mask the automation front keeps: its raw and formatted
// values are then answered without classing the masks' characters again.
#pragma once

#include <cstddef>

#include "date/date_plan.h"
#include "intl/settings.h"

namespace zorva {

struct KeptDate {
  bool ready;
  DateMaskPlan mask;  // the caller's, or the type's default
  DateMaskPlan raw;   // the settings' raw date mask
};

// `ready` false for a mask too long to plan.
void PrepareKeptDate(KeptDate& date, const char* mask, const IntlSettings& s) noexcept;

// MakeRawValue's and MakeFormattedValue's answers for a zero-terminated
// value, into `bytes` bytes (terminated); they return its length.
std::size_t KeptRawDate(const KeptDate& date, const char* value, char* answer, std::size_t bytes,
                        const IntlSettings& s) noexcept;
std::size_t KeptFormattedDate(const KeptDate& date, const char* value, char* answer, std::size_t bytes,
                              const IntlSettings& s) noexcept;

}  // namespace zorva
