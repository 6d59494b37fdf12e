// A time type's mask and the settings' raw time mask, each read once into
// plans for a mask the automation front keeps: its raw and formatted values
// are then answered without reading the masks piece by piece again.
#pragma once

#include <cstddef>

#include "intl/settings.h"
#include "time/time_plan.h"

namespace zorva {

struct KeptTime {
  bool ready;
  TimeReadPlan maskRead, rawRead;        // the caller's mask (or the type's default), the raw mask
  TimeFormatPlan maskFormat, rawFormat;
};

// `ready` false for a mask too long to plan.
void PrepareKeptTime(KeptTime& time, const char* mask, const IntlSettings& s) noexcept;

// MakeRawValue's and MakeFormattedValue's answers for a zero-terminated
// value, into `bytes` bytes (terminated); they return its length.
std::size_t KeptRawTime(const KeptTime& time, const char* value, char* answer, std::size_t bytes) noexcept;
std::size_t KeptFormattedTime(const KeptTime& time, const char* value, char* answer, std::size_t bytes) noexcept;

}  // namespace zorva
