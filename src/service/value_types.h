// Internal edit types, the mapping from public value types, default masks and
// the request record of the raw and formatted paths.
#pragma once

#include <cstdint>

#include "zorva/types.h"

namespace zorva {

// What the engines work with: several value types share one (memo, URL and
// image are text; a counter is a short integer).
enum EditType : std::int16_t {
  etText,
  etCurrency,
  etDate,
  etTime,
  etByte,
  etInteger,
  etLong,
  etBoolean,
  etSingle,
  etDouble,
  etDateTime,
  etUnsupported,  // binary kinds: every value is valid, every answer empty
};

// The edit types the dispatchers act on.
inline bool IsDispatchable(int editType) { return editType >= 0 && editType < etUnsupported; }

// Value type -> edit type. A value type outside the list gives etUnsupported.
EditType EditTypeOf(std::int32_t valueType) noexcept;

// What an automation value is converted to first, before it is formatted.
enum Conversion : int {
  kToText = 1,
  kToLong = 2,
  kToShort = 3,
  kToFloat = 4,
  kToDouble = 5,
  kToDate = 6,
  kToTime = 7,
  kToDateTime = 8,
  kToBinary = 9,
  kToBoolean = 10,
  kToByte = 11,
  kToCurrency = 13,
};

// Value type -> its first conversion; kToBinary outside the list.
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
