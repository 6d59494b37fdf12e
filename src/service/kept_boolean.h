// A boolean mask the automation front keeps, read once: its texts
// upper-cased for reading values and the settings' raw texts of the three
// states in UTF-16, so that a raw value is answered with no conversion and
// no walk of either mask.
#pragma once

#include <cstddef>
#include <cstdint>

#include "intl/settings.h"

namespace zorva {

struct KeptBoolean {
  bool ready;
  std::uint8_t length, slash;  // the mask's units; its first "/", or length
  char upper[64];              // the mask upper-cased
  std::uint8_t rawLength[3];
  char16_t raw[3][64];  // the raw text of states 0, 1 and 2
};

// `ready` false unless the mask is 1 to 63 ASCII units other than zero,
// which read the same in every code page.
void PrepareKeptBoolean(KeptBoolean& kept, const char16_t* mask, std::size_t length,
                        const IntlSettings& s) noexcept;

// The raw value's units (a pointer into `kept`, or none for a value that
// has no answer) and their count, or -1 where the general path must answer:
// a unit of the value that is not ASCII other than zero is read there.
int KeptRawBoolean(const KeptBoolean& kept, const char16_t* value, std::size_t length,
                   const char16_t*& units) noexcept;

}  // namespace zorva
