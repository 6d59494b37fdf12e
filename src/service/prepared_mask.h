// What a PreparedMask holds, and its answers for callers that can say more
// about the value than a string_view does: a database whose text is
// zero-terminated where it lies lets the number reader read it in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <cstring>
#include <memory>
#include <vector>

#include "charmask/charmask.h"
#include "service/answer_size.h"
#include "service/fixed_shape.h"
#include "service/kept_date_time.h"
#include "service/prepared_number.h"
#include "zorva/masked_edit.h"

namespace zorva {

namespace detail {
// A date, time or date-time mask's plans: large, so held apart and only by
// the masks that take them.
struct DateTimePlans {
  KeptDate date;
  KeptTime time;
  const KeptDate* Date() const noexcept { return date.ready ? &date : nullptr; }
  const KeptTime* Time() const noexcept { return time.ready ? &time : nullptr; }
};

struct Preparation {
  std::string text;         // the mask in the code page
  std::size_t slash = 0, falseEnd = 0;  // a boolean mask's first "/" and the end of its false text
  std::string upper;        // a boolean mask upper-cased, for reading values
  std::uint64_t shape = 0;  // a whole-number mask of one run ("#,##0") as WholeMaskKey's key
  PreparedNumber number;    // a number type's mask read once, when it can be
  FixedShape fixed;         // a number mask of the usual shape, laid out from the raw digits
  std::vector<MaskStep> steps;  // a text mask's characters, classed once
  bool caseSteps = false;       // some of them change a letter's case
  std::unique_ptr<DateTimePlans> plans;  // a date, time or date-time mask's, when it takes them
};
}  // namespace detail

// The prepared answers; `terminated`: a zero byte follows the value. Throw
// std::bad_alloc as the public ones do.
bool PreparedValid(const PreparedMask& mask, std::string_view value, bool terminated);
std::size_t PreparedRaw(const PreparedMask& mask, std::string_view value, bool terminated, char* dest,
                        std::size_t size);

// The value zero-terminated where it lies, or copied to `copy` when short
// enough for the number reader; null when neither.
inline const char* TerminatedValue(std::string_view value, bool terminated, char (&copy)[kAnswerBytes]) noexcept {
  if (terminated) return value.data();
  if (value.size() >= sizeof copy) return nullptr;
  std::memcpy(copy, value.data(), value.size());
  copy[value.size()] = '\0';
  return copy;
}

// The usual answers of a prepared number type for a value zero-terminated
// at value[size()] (the raw value into a dest of at least kAnswerBytes):
// -1 where PreparedValid or PreparedRaw must answer. Inline, for the
// databases' row loops.
inline int QuickPreparedValid(const PreparedMask& mask, std::string_view value) noexcept {
  return PreparedIsValid(mask.state().number, value.data(), value.size());
}
inline std::ptrdiff_t QuickPreparedRaw(const PreparedMask& mask, std::string_view value, char* dest,
                                       std::size_t size) noexcept {
  return PreparedRawValue(mask.state().number, value.data(), value.size(), dest, size);
}

}  // namespace zorva
