// Public value types of the masked-edit service.
#pragma once

#include <cstdint>
#include <string_view>

#include "zorva/export.h"

namespace zorva {

// The automation enumeration of value types.
enum ZorvaMaskedEditConstants : std::int32_t {
  tkMEText = 0,
  tkMECurrency = 1,
  tkMEDate = 2,
  tkMETime = 3,
  tkMEMemo = 4,
  tkMEByte = 5,
  tkMEShortInt = 6,
  tkMELongInt = 7,
  tkMEBoolean = 8,
  tkMECounter = 9,
  tkMEFloat = 10,
  tkMEDouble = 11,
  tkMEOleObject = 12,
  tkMEBinary = 13,
  tkMEURL = 14,
  tkMEImage = 15,
  tkMEDateTime = 16,
  tkMETimeStamp = 17,
};

inline constexpr int kValueTypeCount = 18;

// The short name of a value type ("currency"), or nullptr for a number
// outside 0..17.
ZORVA_API const char* ValueTypeName(std::int32_t valueType) noexcept;
// A value type from its short name ("currency") or its constant name
// ("tkMECurrency"), either in any case, or its number written out ("1");
// -1 when the word names none.
ZORVA_API std::int32_t ValueTypeNamed(std::string_view word) noexcept;

}  // namespace zorva
