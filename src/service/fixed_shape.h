// A number mask of the usual shape, "$#,##0.00;($#,##0.00)": each section a
// short literal lead, one run of placeholders and separators, a point and
// only "0" places, a short literal tail. A raw value that needs no rounding
// ("-1234.5": a sign, at most 15 digits, no more places than the mask's) is
// laid out from its digits, with no reading into a double and no walk of
// the mask; one with more places, rounded to the mask's as the general path
// rounds it, where the settings let it round in one pass. It answers only
// where MakeFormattedValue would answer the same, which the preparation
// checks on a set of values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

struct FixedShape {
  struct Section {
    char lead[8], tail[8];
    std::uint8_t leadLength, tailLength;
  };
  bool ready;
  bool twoSections;  // else the sign leads a negative number
  char sign, point;  // the raw value's
  char outSign, outPoint, separator;
  std::uint8_t zeros, group, places;
  bool grouped;
  bool rounds;  // a value with more places is rounded to the mask's here
  Section sections[2];  // positive (and zero), negative
};

// For an ANSI request under the settings in force; `ready` false where the
// mask is of another shape or answers otherwise on the checked values.
void PrepareFixedShape(FixedShape& shape, const FormatRequest& request, const IntlSettings& s) noexcept;

// The value (ASCII units, `length` of them) shown into `out` of at least
// kFixedShown units: the length, or -1, with nothing written, where
// MakeFormattedValue must answer. Every unit written is ASCII.
inline constexpr std::size_t kFixedShown = 96;
template <class In, class Out>
int ShowFixed(const FixedShape& shape, const In* value, std::size_t length, Out* out) noexcept;

extern template int ShowFixed(const FixedShape&, const char*, std::size_t, char*) noexcept;
extern template int ShowFixed(const FixedShape&, const char16_t*, std::size_t, char16_t*) noexcept;
extern template int ShowFixed(const FixedShape&, const char*, std::size_t, char16_t*) noexcept;

}  // namespace zorva
