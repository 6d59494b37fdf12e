// A date mask read once for many values: its runs and literals in order and
// the two characters a value is cut at, so that reading or rendering a value
// does not class each mask character again.
#pragma once

#include <cstddef>
#include <cstdint>

#include "date/calendar.h"
#include "date/date_mask.h"

namespace zorva {

struct IntlSettings;

// Masks shorter than this many bytes are read into a plan.
inline constexpr std::size_t kDatePlanBytes = 64;

struct DatePlanItem {
  DatePart part;        // kNoDatePart: the literal below
  std::uint8_t length;  // the run's letters
  char literal;
};

struct DateMaskPlan {
  DateSeparators seps;
  std::size_t count;
  DatePlanItem items[kDatePlanBytes];
};

// false, with the plan unusable, for a mask of kDatePlanBytes or more.
bool ReadDateMaskPlan(const char* mask, DateMaskPlan& plan, const IntlSettings& s) noexcept;

// ParseDate and FormatDate under a plan; FormatDatePlan returns the length
// written.
void ParseDatePlan(const char* value, const DateMaskPlan& plan, DateParts& parts, bool strictNames,
                   const IntlSettings& s) noexcept;
std::size_t FormatDatePlan(char* dest, std::size_t size, const DateMaskPlan& plan, const DateParts& date,
                           const IntlSettings& s) noexcept;

}  // namespace zorva
