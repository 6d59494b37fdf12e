// What each placeholder of a character mask takes and stores; shared by the
// mask walks and the walk of a planned mask.
#pragma once

#include "charmask/charmask.h"
#include "intl/settings.h"
#include "platform/codepage.h"

namespace zorva::charmask_detail {

// The characters of MaskPlaceholders, tested without a search per character.
inline bool IsPlaceholder(char c) noexcept {
  switch (c) {
    case '#': case '&': case 'A': case '?': case 'L': case 'U': return true;
    default: return false;
  }
}
static_assert(sizeof MaskPlaceholders == 7, "IsPlaceholder lists every placeholder");

// Whether placeholder ph takes c. The terminating zero is taken by none.
// Only "?" reads the settings (its signs).
inline bool Accepts(char ph, char c, const IntlSettings& s) noexcept {
  if (c == '\0') return false;
  unsigned char b = static_cast<unsigned char>(c);
  switch (ph) {
    case '#': return (ClassOf(c) & (kAlpha | kDigit)) == kDigit;  // alphanumeric, not a letter
    case '&': return b >= 32 && b != 127;
    case '?': {
      if (IsCharAlphaNumericA(c)) return true;
      return c == s.sPositiveSign || c == s.sNegativeSign;
    }
    default: return IsCharAlphaA(c);  // A, L, U
  }
}

inline char Stored(char ph, char c) noexcept {
  if (ph == 'L' && !IsCharLowerA(c)) return CharLowerA(c);
  if (ph == 'U' && !IsCharUpperA(c)) return CharUpperA(c);
  return c;
}

}  // namespace zorva::charmask_detail
