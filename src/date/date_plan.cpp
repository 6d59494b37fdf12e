#include "date/date_plan.h"

#include <cstring>

#include "intl/settings.h"

namespace zorva {

bool ReadDateMaskPlan(const char* mask, DateMaskPlan& plan, const IntlSettings& s) noexcept {
  plan.count = 0;
  if (!mask || std::strlen(mask) >= kDatePlanBytes) return false;
  const DateTokenLetters letters = DateLettersOf(s);
  plan.seps = FindDateSeparators(mask, letters);
  for (const char* m = mask; *m != '\0';) {
    const DatePart part = DatePartOf(letters, *m);
    const std::size_t length = part == kNoDatePart ? 1 : RunLength(m);
    plan.items[plan.count++] = {part, static_cast<std::uint8_t>(length), *m};
    m += length;
  }
  return true;
}

}  // namespace zorva
