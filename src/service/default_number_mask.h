// The default mask of a number type without a copy: the settings block holds
// it whole, so the dispatchers read it in place.
#pragma once

#include "intl/settings.h"
#include "service/value_types.h"

namespace zorva {

// What DefaultMaskFor copies for currency, integer, long, single and double;
// nullptr for every other type (byte's comes from the string table).
inline const char* SettingsNumberMask(int editType, const IntlSettings& s) noexcept {
  switch (editType) {
    case etCurrency: return s.sCurrencyMask;
    case etInteger:
    case etLong: return s.sIntegerMask;
    case etSingle:
    case etDouble: return s.sDecimalMask;
    default: return nullptr;
  }
}

}  // namespace zorva
