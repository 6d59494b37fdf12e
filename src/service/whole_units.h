// A whole number under a plain run ("#,##0") shown straight from its UTF-16
// digits into UTF-16 units, for the automation front: no conversion of the
// value or the answer. It answers only where the ANSI path (FormattedWholeValue)
// would: an ASCII sign, 1 to 15 digits, settings it was checked against.
#pragma once

#include <cstddef>
#include <cstdint>

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

struct WholeUnits {
  bool ready;
  char16_t sign, separator;
  std::uint8_t zeros, group;  // the run's "0" placeholders; placeholders after its last separator
  bool grouped;
};

// Reads the run behind `key` (WholeMaskKey of `request`) and checks, on a
// set of values, that what it shows is what FormattedWholeValue shows;
// `ready` false where it is not.
void PrepareWholeUnits(WholeUnits& whole, const FormatRequest& request, std::uint64_t key,
                       const IntlSettings& s) noexcept;

// The number shown into `out` (at least kWholeUnits units): its length, or
// -1, with nothing written, where FormattedWholeValue must answer.
inline constexpr std::size_t kWholeUnits = 96;
int ShowWholeUnits(const WholeUnits& whole, const char16_t* value, std::size_t length, char16_t* out) noexcept;

}  // namespace zorva
