// The mask a type uses when the caller gives none, read in place from the
// settings block: no copy per value.
#pragma once

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

// "" for the types without a default (date-times, unsupported codes).
inline const char* DefaultMask(int editType, const IntlSettings& s) noexcept {
  switch (editType) {
    case etText: return s.sTextMask;
    case etCurrency: return s.sCurrencyMask;
    case etDate: return s.sShortDate;
    case etTime: return s.sTimeMask;
    case etByte: return s.sRawWholeFormat;  // the same string as the raw whole-number format
    case etInteger:
    case etLong: return s.sIntegerMask;
    case etBoolean: return s.sBooleanMask;
    case etSingle:
    case etDouble: return s.sDecimalMask;
    default: return "";
  }
}

// The caller's mask, or the type's default when it is null or empty.
inline const char* EffectiveMask(int editType, const char* mask, const IntlSettings& s) noexcept {
  return mask && *mask ? mask : DefaultMask(editType, s);
}

}  // namespace zorva
