// Internal edit types, the mapping from public value types, default masks and
// the request record of the raw and formatted paths.
#pragma once

#include <cstdint>

#include "zorva/types.h"

namespace zorva {

enum EditType : std::int16_t {
  etText = 0,
  etCurrency = 1,
  etDate = 2,
  etTime = 3,
  etByte = 4,
  etInteger = 5,
  etLong = 6,
  etBoolean = 7,
  etSingle = 8,
  etDouble = 9,
  // 10 has no member: no value type maps to it.
  etDateTime = 11,
  etUnsupported = 12,
};

// Codes 0 to 11 are the ones the dispatchers act on.
inline bool IsDispatchable(int editType) { return editType >= 0 && editType <= 11; }

// Value type -> edit type. A value type outside 0..17 gives etUnsupported.
EditType EditTypeOf(std::int32_t valueType) noexcept;

// Value type -> the conversion code its variant is converted to first
// (1 text, 2 long, 3 short, 4 float, 5 double, 6 date, 7 time, 8 date-time,
// 9 binary, 10 boolean, 11 byte, 13 currency). 9 outside 0..17.
int FirstConversionCodeOf(std::int32_t valueType) noexcept;

// The request the raw-value and formatted-value dispatchers work from.
struct FormatRequest {
  std::int16_t editType;
  char thousandSep;
  char decimalSep;
  const char* mask;            // the caller's mask, possibly empty or null
  const char* currencySymbol;  // the system currency symbol
};

}  // namespace zorva
