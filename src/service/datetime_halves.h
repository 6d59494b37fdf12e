// A date-time value and its mask cut at their first blanks. Each half is
// copied into a fixed buffer: a value half is cut to 255 characters, a mask
// half to 63.
#pragma once

#include <cstring>

#include "platform/bounded_text.h"
#include "service/answer_size.h"

namespace zorva {

struct DateTimeHalves {
  char date[kAnswerBytes] = {};      // the value before its first blank (all of it when none)
  char dateMask[64] = {};   // the mask before its first blank
  char timeMask[64] = {};   // the mask after its first blank
  const char* time = nullptr;  // the value from its first blank on; null when none
  std::size_t dateLength = 0;  // the date half's length before any cut

  // false when the mask has no blank: a date-time mask has no default.
  bool Split(const char* value, const char* mask) noexcept {
    const char* maskBlank = mask ? std::strchr(mask, ' ') : nullptr;
    if (!maskBlank) return false;
    time = std::strchr(value, ' ');
    dateLength = time ? static_cast<std::size_t>(time - value) : std::strlen(value);
    CopyCut(date, value, dateLength);
    CopyCut(dateMask, mask, static_cast<std::size_t>(maskBlank - mask));
    CopyCut(timeMask, maskBlank + 1, std::strlen(maskBlank + 1));
    return true;
  }
};

}  // namespace zorva
